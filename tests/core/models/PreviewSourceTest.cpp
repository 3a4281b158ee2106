#include "models/PreviewSource.h"
#include "io/TemporaryFile.h"
#include "monitor/SampleRing.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

// A ring of `slots` slots with `pointsPerView` points across, filled live so
// that every slot holds its own number, ending at `newest`.
SampleRing numberedRing(int slots, int pointsPerView, int newest, bool wrapped) {
    SampleRing ring(slots, pointsPerView);
    if (wrapped)
        for (int slot = 0; slot < std::min(slots, pointsPerView); ++slot)
            ring.pushLive(slot);
    for (int slot = 0; slot <= newest; ++slot)
        ring.pushLive(slot);
    return ring;
}

TEST(BufferedValuesText, ListsTheSamplesOldestFirst) {
    // What, pointsPerView, the ring's slots, the newest slot, wrapped, the text.
    const std::tuple<const char*, int, int, int, bool, std::string> cases[] = {
        {"empty", 4, 5, -1, false, ""},
        {"before the wrap", 4, 5, 2, false, "0\r\n1\r\n2\r\n"},
        {"wrapped", 4, 5, 1, true, "2\r\n3\r\n0\r\n1\r\n"},
        {"wrapped, newest at the end", 4, 5, 3, true, "0\r\n1\r\n2\r\n3\r\n"},
        {"wrapped, newest first", 4, 5, 0, true, "1\r\n2\r\n3\r\n0\r\n"},
        {"fewer slots than points across", 6, 3, 1, true, "2\r\n0\r\n1\r\n"},
    };
    for (const auto& [name, pointsPerView, slots, newest, wrapped, text] : cases) {
        const SampleRing ring = numberedRing(slots, pointsPerView, newest, wrapped);
        ASSERT_EQ(std::tuple(ring.newestSlot(), ring.wrapped()), std::tuple(newest, wrapped)) << name;
        EXPECT_EQ(bufferedValuesText(ring), text) << name;
    }
}

TEST(BufferedValuesText, WritesEachValueInTheDecimalText) {
    SampleRing ring(5, 500);
    for (const double value : {-0.0, 0.1, -2.5, 1e20, 123456789012345678.0})
        ring.pushLive(value);
    EXPECT_EQ(bufferedValuesText(ring), "0\r\n0.1\r\n-2.5\r\n1E+20\r\n1.23456789012346E+17\r\n");
}

TEST(ReadPreviewBytes, ReadsTheHeadOrTheWholeFileUpToTheFirstNul) {
    TempDir dir;
    const std::string file = dir.write("data.txt", std::string("12,34\r\n56,78\r\n"));
    const std::string withNul = dir.write("nul.txt", std::string("ab\0cd", 5));
    // The file, the byte count asked for, the bytes read.
    const std::tuple<std::string, std::int32_t, std::string> cases[] = {
        {file, 0, "12,34\r\n56,78\r\n"}, // 0 asks for the whole file
        {file, 4, "12,3"},
        {file, 1000, "12,34\r\n56,78\r\n"}, // a shorter file shows whole
        {file, -1, ""},
        {withNul, 0, "ab"},
        {dir.write("empty.txt", ""), 0, ""},
        {dir.write("bom.txt", "\xEF\xBB\xBF"
                              "1\n"),
         0, "1\n"}, // a UTF-8 mark is no part of the text
    };
    for (const auto& [path, asked, expected] : cases) {
        const auto bytes = readPreviewBytes(path, asked);
        ASSERT_TRUE(bytes) << path << " " << asked;
        EXPECT_EQ(*bytes, expected) << path << " " << asked;
    }
}

TEST(ReadPreviewBytes, ReportsWhatCannotBeRead) {
    TempDir dir;
    const std::pair<std::string, int> cases[] = {{dir.file("missing.txt"), ENOENT}, {dir.path(), EISDIR}};
    for (const auto& [path, number] : cases) {
        const auto bytes = readPreviewBytes(path, 0);
        ASSERT_FALSE(bytes) << path;
        EXPECT_EQ(bytes.error().code, number) << path;
        EXPECT_FALSE(bytes.error().message.empty());
    }
}

TEST(TemporaryFile, HoldsTheBytesUnderAUniqueNameUntilItGoes) {
    std::string first;
    {
        TemporaryFile file;
        TemporaryFile other;
        ASSERT_TRUE(file.create(".txt", "1\r\n2\r\n"));
        ASSERT_TRUE(other.create(".txt", ""));
        first = file.path();
        EXPECT_NE(first, other.path());
        EXPECT_EQ(std::filesystem::path(first).parent_path(), std::filesystem::temp_directory_path());
        EXPECT_EQ(std::filesystem::path(first).extension(), ".txt");
        std::ifstream in(first, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        EXPECT_EQ(content.str(), "1\r\n2\r\n");
    }
    EXPECT_FALSE(std::filesystem::exists(first));
}

TEST(TemporaryFile, AnUnusableFolderIsReportedAndLeavesNothing) {
    TempDir dir;
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved ? saved : "";
    ::setenv("TMPDIR", dir.file("missing").c_str(), 1);
    TemporaryFile file;
    const auto created = file.create(".txt", "1");
    saved ? ::setenv("TMPDIR", previous.c_str(), 1) : ::unsetenv("TMPDIR");
    ASSERT_FALSE(created);
    EXPECT_NE(created.error().code, 0);
    EXPECT_TRUE(file.path().empty());
}

} // namespace
