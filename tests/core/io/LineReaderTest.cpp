#include "io/LineReader.h"
#include "support/TempDir.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

using Lines = std::vector<std::string>;

Lines readAll(const std::string& path) {
    LineReader reader;
    EXPECT_TRUE(reader.open(path));
    Lines lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    EXPECT_FALSE(reader.failed());
    return lines;
}

TEST(LineReader, EndsLinesAtLfCrLfAndLoneCrAcrossBufferRefills) {
    TempDir dir;
    const std::size_t buffer = 1 << 20;
    const std::string longLine(3 * buffer + 5, 'x');
    const std::string first(buffer - 1, 'x'); // a CR as the last byte of one read
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\n\n", {"", ""}},
        {"a\r\r\n", {"a", ""}},
        {"1\0,2\n"s, {"1\0,2"s}},
        {"a\n" + longLine + "\nb", {"a", longLine, "b"}},
        {first + "\r\ny", {first, "y"}},
        {first + "\rz", {first, "z"}},
        {first + "\r\r", {first, ""}},
    };
    for (const auto& [bytes, lines] : cases)
        EXPECT_EQ(readAll(dir.write("f", bytes)), lines) << testing::PrintToString(bytes.substr(0, 20));
}

TEST(LineReader, ReportsWhatCannotBeOpened) {
    TempDir dir;
    LineReader reader;
    const auto missing = reader.open(dir.file("missing"));
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().code, ENOENT);
    const auto folder = reader.open(dir.path());
    ASSERT_FALSE(folder);
    EXPECT_EQ(folder.error().code, EISDIR);
}

} // namespace
