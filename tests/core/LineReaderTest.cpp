#include "core/LineReader.h"
#include "TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> readAll(const std::string& path) {
    LineReader reader;
    CoreError error;
    EXPECT_TRUE(reader.open(path, error)) << error.description;
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    EXPECT_FALSE(reader.failed());
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineReader, EndsLinesAtLfCrLfAndLoneCr) {
    TempDir dir;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\n\n", {"", ""}},
        {"a\r", {"a"}},
        {"a\r\r\n", {"a", ""}},
        {std::string("1\0,2\n", 5), {std::string("1\0,2", 4)}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAll(dir.write("f", c.bytes)), c.lines) << testing::PrintToString(c.bytes);
}

TEST(LineReader, JoinsLinesAcrossBufferRefills) {
    TempDir dir;
    const std::size_t buffer = 1 << 20;
    const std::string longLine(3 * buffer + 5, 'x');
    EXPECT_EQ(readAll(dir.write("long", "a\n" + longLine + "\nb")), (Lines{"a", longLine, "b"}));

    // A CR as the last byte of one read and its LF as the first of the next.
    const std::string first(buffer - 1, 'x');
    EXPECT_EQ(readAll(dir.write("crlf", first + "\r\ny")), (Lines{first, "y"}));
    EXPECT_EQ(readAll(dir.write("cr", first + "\rz")), (Lines{first, "z"}));
    EXPECT_EQ(readAll(dir.write("crcr", first + "\r\r")), (Lines{first, ""}));
}

TEST(LineReader, ReportsWhatCannotBeOpened) {
    TempDir dir;
    LineReader reader;
    CoreError error;
    EXPECT_FALSE(reader.open(dir.file("missing"), error));
    EXPECT_EQ(error.number, ENOENT);
    EXPECT_FALSE(reader.open(dir.path(), error));
    EXPECT_EQ(error.number, EISDIR);
    EXPECT_FALSE(error.description.empty());
}

} // namespace
