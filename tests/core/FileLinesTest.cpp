#include "core/FileLines.h"
#include "TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(CountFileLines, GivesTheLineNumberAtTheEndOfTheFile) {
    TempDir dir;
    const struct {
        std::string bytes;
        std::int64_t lines;
    } cases[] = {
        {"", 1},       {"1\r\n2\r\n3\r\n", 4},        {"1\r\n2\r\n3", 3}, {"1\n2\n3\n", 4}, {"1\r2\r", 3},
        {"\n\n\n", 4}, {std::string("\0\0\n", 3), 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CountFileLines(dir.write("f", c.bytes)), c.lines) << testing::PrintToString(c.bytes);
}

TEST(CountFileLines, CountsZeroForWhatIsNotADataFile) {
    TempDir dir;
    EXPECT_EQ(CountFileLines(""), 0);
    EXPECT_EQ(CountFileLines(dir.file("missing")), 0);
    EXPECT_EQ(CountFileLines(dir.path()), 0);
    EXPECT_EQ(CountFileLines(dir.path() + "/*"), 0) << "no wildcards";
}

TEST(CountFileLines, IgnoresWritePermission) {
    TempDir dir;
    std::string content;
    for (int i = 0; i < 100; ++i)
        content += std::to_string(i) + "\r\n";
    const std::string path = dir.write("ro", content);
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(CountFileLines(path), 101);
}

TEST(CountFileLines, HandsOverAScanForTheLastLineReader) {
    TempDir dir;
    FileScan scan;
    EXPECT_EQ(CountFileLines(dir.write("f", "1\n22\n3"), &scan), 3);
    EXPECT_EQ(scan.tally.lineEnds, 2);
    EXPECT_EQ(scan.tally.scanned, 6u);
    EXPECT_EQ(scan.tally.lastLineStart, 2u);
    EXPECT_EQ(scan.tally.lastLineEnd, 4u);
}

TEST(DataFileExists, NeedsAReadableRegularFile) {
    TempDir dir;
    const std::string file = dir.write("data.csv", "1\n");
    EXPECT_TRUE(dataFileExists(file));
    EXPECT_FALSE(dataFileExists(""));
    EXPECT_FALSE(dataFileExists(dir.file("missing")));
    EXPECT_FALSE(dataFileExists(dir.path()));
    EXPECT_FALSE(dataFileExists(dir.path() + "/*.csv"));
    if (::geteuid() != 0) { // root reads anything
        std::filesystem::permissions(file, std::filesystem::perms::none);
        EXPECT_FALSE(dataFileExists(file));
    }
}

} // namespace
