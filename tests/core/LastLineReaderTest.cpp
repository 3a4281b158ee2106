#include "core/LastLineReader.h"
#include "TempDir.h"
#include "core/FileLines.h"
#include "core/MonitorState.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Read {
    bool ok = false;
    std::string line = "untouched";
    std::int64_t count = -1;
    std::string message;
};

Read readLast(LastLineReader& reader, const std::string& path) {
    Read r;
    r.ok = reader.read(path, r.line, r.count, r.message);
    return r;
}

TEST(ReadLastLine, ReturnsTheLastTerminatedLineAndTheLineEndCount) {
    TempDir dir;
    const struct {
        std::string bytes;
        std::string line;
        std::int64_t count;
    } cases[] = {
        {"12,34\r\n", "12,34\r\n", 1},
        {"1\n2\n3", "2\r\n", 2}, // the last line is still being written
        {"7", "7\r\n", 0},       // the only line has no line end yet
        {"", "untouched", 0},
        {"\n\n", "\r\n", 2},
        {"a\r\nb\r\n", "b\r\n", 2},
        {"a\rb\r", "b\r\n", 2},
        {"1,2\n\n", "\r\n", 2}, // a blank last line
        {std::string("1\0x\n", 4), std::string("1\0x\r\n", 5), 1},
        {"\xe6\xb8\xa9,5\n", "\xe6\xb8\xa9,5\r\n", 1},
    };
    for (const auto& c : cases) {
        LastLineReader reader;
        const Read r = readLast(reader, dir.write("f", c.bytes));
        EXPECT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.line, c.line) << testing::PrintToString(c.bytes);
        EXPECT_EQ(r.count, c.count) << testing::PrintToString(c.bytes);
        EXPECT_TRUE(r.message.empty());
    }
}

TEST(ReadLastLine, ReportsAMissingFileInTheUsersWords) {
    TempDir dir;
    LastLineReader reader;
    for (const std::string& path : {dir.file("missing.csv"), std::string(), dir.path(), dir.file("a/b")}) {
        const Read r = readLast(reader, path);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, path + "\r\nファイルが存在しませんでした。");
        EXPECT_EQ(r.line, "untouched");
    }
}

TEST(ReadLastLine, ReportsAnUnreadableFileWithItsErrorNumber) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads anything";
    TempDir dir;
    const std::string path = dir.write("secret", "1\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    LastLineReader reader;
    const Read r = readLast(reader, path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Error: (13) \r\n", 0), 0u) << r.message;
}

TEST(ReadLastLine, FollowsAGrowingFile) {
    TempDir dir;
    LastLineReader reader;
    const std::string path = dir.write("f", "1\n");
    const struct {
        std::string appended;
        std::string line;
        std::int64_t count;
    } steps[] = {
        {"", "1\r\n", 1},    {"2\n3", "2\r\n", 2}, {"\n", "3\r\n", 3},
        {"4\r", "4\r\n", 4}, {"\n", "4\r\n", 4},  // the LF of a CR LF split across two reads counts once
        {"5\r", "5\r\n", 5}, {"6\n", "6\r\n", 6}, // a lone CR at the end of a read stays a line end
        {"\n", "\r\n", 7},
    };
    for (const auto& step : steps) {
        dir.append("f", step.appended);
        const Read r = readLast(reader, path);
        EXPECT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.line, step.line) << "after appending " << testing::PrintToString(step.appended);
        EXPECT_EQ(r.count, step.count) << "after appending " << testing::PrintToString(step.appended);
    }
}

TEST(ReadLastLine, CountsAfreshAFileThatShrankOrWasReplaced) {
    TempDir dir;
    LastLineReader reader;
    const std::string path = dir.write("f", "1\n2\n3\n");
    ASSERT_EQ(readLast(reader, path).count, 3);

    dir.write("f", "9\n"); // truncated and rewritten
    Read r = readLast(reader, path);
    EXPECT_EQ(r.line, "9\r\n");
    EXPECT_EQ(r.count, 1);

    dir.write("f", "3\n4\n"); // same inode, counted part changed, grown
    r = readLast(reader, path);
    EXPECT_EQ(r.line, "4\r\n");
    EXPECT_EQ(r.count, 2);

    dir.write("f", "5\n6\n"); // same size, other content
    r = readLast(reader, path);
    EXPECT_EQ(r.line, "6\r\n");
    EXPECT_EQ(r.count, 2);

    // Rotated: renamed away and a longer file created under the name.
    const std::string next = dir.write("next", "a\nb\nc\nd\n");
    ASSERT_EQ(std::rename(next.c_str(), path.c_str()), 0);
    r = readLast(reader, path);
    EXPECT_EQ(r.line, "d\r\n");
    EXPECT_EQ(r.count, 4);

    std::remove(path.c_str());
    r = readLast(reader, path);
    EXPECT_FALSE(r.ok);
    dir.write("f", "x\n");
    r = readLast(reader, path);
    EXPECT_EQ(r.line, "x\r\n");
}

TEST(ReadLastLine, ContinuesFromASeededCount) {
    TempDir dir;
    const std::string path = dir.write("f", "1\n2\n");
    FileScan scan;
    ASSERT_EQ(CountFileLines(path, &scan), 3);
    // A seeded count that is off by 100 shows through: the file is not counted again.
    scan.tally.lineEnds += 100;
    LastLineReader reader;
    reader.seed(path, scan);
    dir.append("f", "3\n");
    const Read r = readLast(reader, path);
    EXPECT_EQ(r.line, "3\r\n");
    EXPECT_EQ(r.count, 103);

    // A seed for another file is not used.
    LastLineReader other;
    other.seed(dir.write("g", "1\n"), scan);
    EXPECT_EQ(readLast(other, path).count, 3);
}

TEST(ReadLastLine, ReadsVeryLongLines) {
    TempDir dir;
    const std::string big(50 << 20, 'x');
    LastLineReader reader;
    Read r = readLast(reader, dir.write("f", big + "\n5,6\n"));
    EXPECT_EQ(r.line, "5,6\r\n");
    EXPECT_EQ(r.count, 2);
    r = readLast(reader, dir.write("g", big));
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.line.size(), big.size() + 2);
}

TEST(ReadLastLine, ClearsTheReadGuard) {
    TempDir dir;
    MonitorState state;
    std::string line, message;
    std::int64_t count = 0;
    EXPECT_TRUE(ReadLastLine(state, dir.write("f", "1\n"), line, count, message));
    EXPECT_FALSE(state.blnReadReady);
    EXPECT_EQ(line, "1\r\n");
}

} // namespace
