#include "io/LastLineReader.h"
#include "io/FileLines.h"
#include "support/TempDir.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>
#include <unistd.h>

namespace {

using namespace std::string_literals;

struct Read {
    bool ok = false;
    std::string line;
    std::int64_t count = -1;
    std::string message;
    bool cut = false;
};

Read readLast(LastLineReader& reader, const std::string& path) {
    const auto result = reader.read(path);
    if (!result)
        return {false, {}, -1, fileErrorMessage(result.error())};
    return {true, result->line, result->lineCount, {}, result->cut};
}

TEST(ReadLastLine, ReturnsTheLastTerminatedLineAndTheLineEndCount) {
    TempDir dir;
    // The last line may still be being written; a blank last line counts.
    const std::tuple<std::string, std::string, std::int64_t> cases[] = {
        {"12,34\r\n", "12,34\r\n", 1}, {"1\n2\n3", "2\r\n", 2}, {"7", "7\r\n", 0},          {"", "", 0},
        {"a\rb\r", "b\r\n", 2},        {"1,2\n\n", "\r\n", 2},  {"1\0x\n"s, "1\0x\r\n"s, 1}};
    for (const auto& [bytes, line, count] : cases) {
        LastLineReader reader;
        const Read r = readLast(reader, dir.write("f", bytes));
        EXPECT_TRUE(r.ok) << r.message;
        EXPECT_EQ(r.line, line) << testing::PrintToString(bytes);
        EXPECT_EQ(r.count, count) << testing::PrintToString(bytes);
        EXPECT_FALSE(r.cut) << testing::PrintToString(bytes);
    }
}

TEST(ReadLastLine, ReportsWhatCannotBeRead) {
    TempDir dir;
    LastLineReader reader;
    for (const std::string& path : {dir.file("missing.csv"), std::string(), dir.path(), dir.file("a/b")}) {
        const Read r = readLast(reader, path);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, path + "\r\nファイルが存在しませんでした。");
    }
    if (::geteuid() == 0)
        return; // root reads anything
    const std::string path = dir.write("secret", "1\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const Read r = readLast(reader, path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Error: (13) \r\n", 0), 0u) << r.message;
}

TEST(ReadLastLine, FollowsAGrowingFile) {
    TempDir dir;
    LastLineReader reader;
    const std::string path = dir.write("f", "1\n");
    // The LF of a CR LF split across two reads counts once; a lone CR at the
    // end of a read stays a line end.
    const std::tuple<std::string, std::string, std::int64_t> steps[] = {
        {"", "1\r\n", 1},   {"2\n3", "2\r\n", 2}, {"\n", "3\r\n", 3}, {"4\r", "4\r\n", 4},
        {"\n", "4\r\n", 4}, {"5\r", "5\r\n", 5},  {"6\n", "6\r\n", 6}};
    for (const auto& [appended, line, count] : steps) {
        dir.append("f", appended);
        const Read r = readLast(reader, path);
        EXPECT_EQ(r.line, line) << "after appending " << testing::PrintToString(appended);
        EXPECT_EQ(r.count, count) << "after appending " << testing::PrintToString(appended);
    }
}

TEST(ReadLastLine, CountsAfreshAFileThatShrankOrWasReplaced) {
    TempDir dir;
    LastLineReader reader;
    const std::string path = dir.write("f", "1\n2\n3\n");
    ASSERT_EQ(readLast(reader, path).count, 3);
    const auto expectRead = [&](const std::string& line, std::int64_t count, const char* what) {
        const Read r = readLast(reader, path);
        EXPECT_EQ(r.line, line) << what;
        EXPECT_EQ(r.count, count) << what;
    };
    dir.write("f", "9\n");
    expectRead("9\r\n", 1, "truncated and rewritten");
    dir.write("f", "3\n4\n");
    expectRead("4\r\n", 2, "same inode, counted part changed, grown");
    dir.write("f", "5\n6\n");
    expectRead("6\r\n", 2, "same size, other content");
    const std::string next = dir.write("next", "a\nb\nc\nd\n");
    ASSERT_EQ(std::rename(next.c_str(), path.c_str()), 0);
    expectRead("d\r\n", 4, "rotated: another file under the name");
    std::remove(path.c_str());
    EXPECT_FALSE(readLast(reader, path).ok);
    dir.write("f", "x\n");
    expectRead("x\r\n", 1, "created again");
}

TEST(ReadLastLine, ReadsLinesLongerThanOneRead) {
    TempDir dir;
    const std::string big((3 << 20) + 5, 'x');
    LastLineReader reader;
    Read r = readLast(reader, dir.write("f", big + "\n5,6\n"));
    EXPECT_EQ(r.line, "5,6\r\n");
    EXPECT_EQ(r.count, 2);
    r = readLast(reader, dir.write("g", "1\n" + big));
    EXPECT_EQ(r.line, "1\r\n");
    // A last line longer than any record is read only in its first part.
    const auto cut = reader.read(dir.write("h", "7," + big + "\n"));
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->cut);
    EXPECT_EQ(cut->line, ("7," + big).substr(0, kMaxLastLineBytes));
    EXPECT_EQ(cut->lineCount, 1);
}

// A rewrite that keeps the start and the end of the counted part is still
// seen: by the file's time when it did not grow, by the last line when it did.
TEST(ReadLastLine, SeesRewritesThatKeepTheCountedPartsEnds) {
    TempDir dir;
    const std::string edge(80, 'a');
    const std::string path = dir.write("f", edge + "\nx\ny\n" + edge + "\n");
    const auto settled = [&] { // written long ago, as far as the file's time can tell
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::hours(1));
    };
    settled();
    LastLineReader reader;
    ASSERT_EQ(readLast(reader, path).count, 4);
    dir.write("f", edge + "\nx\r\ny" + edge + "\n"); // the same size: one line end fewer
    EXPECT_EQ(readLast(reader, path).count, 3);

    const std::string last(100, 'b');
    dir.write("f", edge + "\n1\n" + last + "\n");
    settled();
    ASSERT_EQ(readLast(reader, path).line, last + "\r\n");
    const std::string changed = std::string(36, 'c') + last.substr(36); // its end is the counted part's
    dir.write("f", edge + "\n12" + changed + "\nz");                    // grown by one
    const Read r = readLast(reader, path);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.line, "12" + changed + "\r\n");
}

// Applying counts the file once; the first live read goes on from that count.
TEST(ReadLastLine, ContinuesFromACountMadeBefore) {
    TempDir dir;
    const std::string path = dir.write("f", "1\n2\n");
    FileScan scan;
    ASSERT_EQ(countFileLines(path, &scan).value_or(0), 3);
    scan.tally.lineEnds += 100; // shows through only if the file is not counted again
    LastLineReader reader;
    reader.continueFrom(path, scan);
    dir.append("f", "3\n");
    EXPECT_EQ(readLast(reader, path).count, 103);
    LastLineReader other;
    other.continueFrom(dir.write("g", "1\n"), scan);
    EXPECT_EQ(readLast(other, path).count, 3) << "a count of another file is not used";
}

} // namespace
