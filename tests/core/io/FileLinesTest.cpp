#include "io/FileLines.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(CountFileLines, GivesTheLineNumberAtTheEndOfTheFile) {
    TempDir dir;
    const std::pair<std::string, std::int64_t> cases[] = {
        {"", 1},          {"1\r\n2\r\n3\r\n", 4}, {"1\r\n2\r\n3", 3},
        {"1\n2\n3\n", 4}, {"1\r2\r", 3},          {std::string("\0\0\n", 3), 2}};
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(CountFileLines(dir.write("f", bytes)), lines) << testing::PrintToString(bytes);
    for (const std::string& path : {std::string(), dir.file("missing"), dir.path(), dir.path() + "/*"})
        EXPECT_EQ(CountFileLines(path), 0) << "not a data file: " << path;

    const std::string readOnly = dir.write("ro", "1\n2\n");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    EXPECT_EQ(CountFileLines(readOnly), 3) << "no write access needed";
}

TEST(DataFileExists, NeedsAReadableRegularFile) {
    TempDir dir;
    const std::string file = dir.write("data.csv", "1\n");
    EXPECT_TRUE(dataFileExists(file));
    for (const std::string& path : {std::string(), dir.file("missing"), dir.path(), dir.path() + "/*.csv"})
        EXPECT_FALSE(dataFileExists(path)) << path;
    if (::geteuid() != 0) { // root reads anything
        std::filesystem::permissions(file, std::filesystem::perms::none);
        EXPECT_FALSE(dataFileExists(file));
    }
}

} // namespace
