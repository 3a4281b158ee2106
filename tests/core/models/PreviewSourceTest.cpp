#include "models/PreviewSource.h"
#include "monitor/Monitor.h"
#include "io/TemporaryFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

namespace {

TEST(BufferedValuesText, ListsTheSamplesOldestFirst) {
    // What, pointsPerView, the buffer's slots, newestSlot, samplesWrapped, the text.
    const std::tuple<const char*, std::int32_t, std::size_t, std::int32_t, bool, std::string> cases[] = {
        {"empty", 4, 5, -1, false, ""},
        {"before the wrap", 4, 5, 2, false, "0\r\n1\r\n2\r\n"},
        {"wrapped", 4, 5, 1, true, "2\r\n3\r\n0\r\n1\r\n"},
        {"wrapped, newest at the end", 4, 5, 3, true, "0\r\n1\r\n2\r\n3\r\n"},
        {"wrapped, newest first", 4, 5, 0, true, "1\r\n2\r\n3\r\n0\r\n"},
        {"a buffer smaller than the ring", 6, 3, 1, true, "2\r\n0\r\n1\r\n"},
    };
    for (const auto& [name, xmem, slots, datPos, round, text] : cases) {
        MonitorState state;
        state.pointsPerView = xmem;
        state.samples.assign(slots, Sample{});
        for (std::size_t slot = 0; slot < slots; ++slot)
            state.samples[slot].value = static_cast<double>(slot);
        state.newestSlot = datPos;
        state.samplesWrapped = round;
        EXPECT_EQ(bufferedValuesText(state), text) << name;
    }
}

TEST(BufferedValuesText, WritesEachValueInTheDecimalText) {
    MonitorState state;
    state.samples = {{-0.0}, {0.1}, {-2.5}, {1e20}, {123456789012345678.0}};
    state.newestSlot = 4;
    EXPECT_EQ(bufferedValuesText(state), "0\r\n0.1\r\n-2.5\r\n1E+20\r\n1.23456789012346E+17\r\n");
}

TEST(ReadPreviewBytes, ReadsTheHeadOrTheWholeFileUpToTheFirstNul) {
    TempDir dir;
    const std::string file = dir.write("data.txt", std::string("12,34\r\n56,78\r\n"));
    const std::string withNul = dir.write("nul.txt", std::string("ab\0cd", 5));
    // The file, the size asked for, the bytes read, the size afterwards.
    const std::tuple<std::string, std::int32_t, std::string, std::int32_t> cases[] = {
        {file, 0, "12,34\r\n56,78\r\n", 14}, // 0 asks for the whole file
        {file, 4, "12,3", 4},
        {file, 1000, "12,34\r\n56,78\r\n", 1000}, // a shorter file shows whole
        {file, -1, "", -1},
        {withNul, 0, "ab", 5},
        {dir.write("empty.txt", ""), 0, "", 0},
    };
    for (const auto& [path, asked, expected, sizeAfter] : cases) {
        std::int32_t size = asked;
        const auto bytes = readPreviewBytes(path, size);
        ASSERT_TRUE(bytes) << path << " " << asked;
        EXPECT_EQ(*bytes, expected) << path << " " << asked;
        EXPECT_EQ(size, sizeAfter) << path << " " << asked;
    }
}

TEST(ReadPreviewBytes, ReportsWhatCannotBeRead) {
    TempDir dir;
    const std::pair<std::string, int> cases[] = {{dir.file("missing.txt"), ENOENT}, {dir.path(), EISDIR}};
    for (const auto& [path, number] : cases) {
        std::int32_t size = 0;
        const auto bytes = readPreviewBytes(path, size);
        ASSERT_FALSE(bytes) << path;
        EXPECT_EQ(bytes.error().code, number) << path;
        EXPECT_FALSE(bytes.error().message.empty());
        EXPECT_EQ(size, 0) << "the size stays when nothing could be read";
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
