#include "io/LineSearch.h"
#include "io/StreamTail.h"

#include "support/TempDir.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::string_literals;

// Every line the search hands over, newest first, until `wanted` is seen.
struct Collected {
    std::vector<std::string> lines;
    bool found = false;
};

template <class Search> Collected collect(const std::string& wanted, Search search) {
    Collected result;
    result.found = search([&](std::string_view line) {
        result.lines.emplace_back(line);
        return line == wanted;
    });
    return result;
}

using Lines = std::vector<std::string>;

// Backward from a line start, newest first, every line end alike; a stretch
// that starts inside a line leaves that line out.
TEST(SearchLinesBackward, HandsOverCompleteLinesNewestFirst) {
    const std::tuple<std::string, std::uint64_t, std::uint64_t, Lines, const char*> cases[] = {
        {"a\nb\r\nc\rd\n", 7, 100, {"c", "b", "a"}, "LF, CR LF and a lone CR"},
        {"a\n\nb\n", 3, 100, {"", "a"}, "an empty line is a line"},
        {"\xEF\xBB\xBFx\ny\n", 6, 100, {"x"}, "the byte-order mark is no part of the first line"},
        {"long\nab\ncd\n", 8, 3, {"ab"}, "the stretch starts at a line"},
        {"long\nab\ncd\n", 8, 2, {}, "the stretch starts inside a line"},
        {"x\r\nab\ncd\n", 6, 3, {"ab"}, "the LF of a CR LF just before the stretch"},
        {"a\nb\n", 0, 100, {}, "nothing before the first line"},
    };
    for (const auto& [content, before, maxBytes, expected, why] : cases) {
        TempDir dir;
        const std::string path = dir.write("data.csv", content);
        const Collected got = collect("(never)", [&](const LineTest& accept) {
            return searchLinesBackward(path, before, maxBytes, accept);
        });
        EXPECT_EQ(got.lines, expected) << why;
    }
}

TEST(SearchLinesBackward, StopsAtTheAcceptedLineAndFailsQuietly) {
    TempDir dir;
    const std::string path = dir.write("data.csv", "v=1\nmsg\nv=2\nmsg\nlast\n");
    const Collected got = collect("v=2", [&](const LineTest& accept) {
        return searchLinesBackward(path, 20, kMaxLineSearchBytes, accept);
    });
    EXPECT_TRUE(got.found);
    EXPECT_EQ(got.lines, (Lines{"msg", "v=2"}));
    // A file that became shorter than the search expects, or is gone.
    EXPECT_FALSE(searchLinesBackward(path, 1000, 10, [](std::string_view) { return true; }));
    EXPECT_FALSE(searchLinesBackward(dir.file("gone"), 4, 10, [](std::string_view) { return true; }));
}

// A pipe written in pieces, as a program writes it, read by the tail. The
// writing end does not block: when the pipe is full the tail takes in what
// is there, as the follow loop would.
struct StreamTailTest : testing::Test {
    int fds[2] = {-1, -1};
    bool piped = ::pipe(fds) == 0 && ::fcntl(fds[1], F_SETFL, O_NONBLOCK) == 0;
    ~StreamTailTest() override {
        ::close(fds[0]);
        if (fds[1] >= 0)
            ::close(fds[1]);
    }
    void write(const std::string& bytes) {
        ASSERT_TRUE(piped);
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t n = ::write(fds[1], bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EAGAIN) {
                ASSERT_TRUE(tail.pump());
                continue;
            }
            ASSERT_GT(n, 0);
            done += static_cast<std::size_t>(n);
        }
    }
    void endInput() {
        ::close(fds[1]);
        fds[1] = -1;
    }
    StreamTail tail{fds[0]};
    LastLine newest() {
        EXPECT_TRUE(tail.pump());
        auto line = tail.newest();
        EXPECT_TRUE(line) << line.error().message;
        return line ? *line : LastLine{};
    }
};

TEST_F(StreamTailTest, GivesTheNewestCompleteLineAndAtTheEndTheUnfinishedOne) {
    const std::tuple<std::string, std::string, std::int64_t> steps[] = {
        {"", "", 0},
        {"1,a", "", 0}, // not complete yet
        {"\r", "1,a\r\n", 1},
        {"\n2,b\n3,", "2,b\r\n", 2}, // the LF of that CR LF arrived apart
        {"c\r4", "3,c\r\n", 3},
    };
    for (const auto& [written, expected, lineEnds] : steps) {
        write(written);
        const LastLine line = newest();
        EXPECT_EQ(std::tie(line.line, line.lineCount), std::tie(expected, lineEnds)) << written;
    }
    EXPECT_FALSE(tail.ended());
    endInput();
    EXPECT_EQ(newest().line, "4\r\n") << "at the end the unfinished line counts";
    EXPECT_TRUE(tail.ended());
}

TEST_F(StreamTailTest, SearchesBackOverWhatItKeptAndKeepsNoMore) {
    write("v=1\nmsg\r\n");
    LastLine last = newest();
    Collected got = collect("v=1", [&](const LineTest& accept) { return tail.searchBefore(last, accept); });
    EXPECT_TRUE(got.found);

    // Far more than a search reads: the tail keeps about that much, and
    // lines beyond the stretch are not searched.
    const std::string filler = std::string(999, 'x') + "\n";
    for (int i = 0; i < 3000; ++i)
        write(filler);
    write("v=2\n" + filler + "last\n");
    last = newest();
    EXPECT_EQ(last.line, "last\r\n");
    EXPECT_LE(tail.keptBytes(), 2 * kMaxLineSearchBytes + 2 * filler.size()) << "3 MB written";
    got = collect("v=2", [&](const LineTest& accept) { return tail.searchBefore(last, accept); });
    EXPECT_TRUE(got.found);
    EXPECT_EQ(got.lines.size(), 2u);
    got = collect("v=1", [&](const LineTest& accept) { return tail.searchBefore(last, accept); });
    EXPECT_FALSE(got.found);
    EXPECT_LE(got.lines.size() * filler.size(), kMaxLineSearchBytes + filler.size());
}

TEST_F(StreamTailTest, CutsALineLongerThanALastLineIsRead) {
    write("x" + std::string(kMaxLastLineBytes + 100, '7') + "\n");
    const LastLine line = newest();
    EXPECT_TRUE(line.cut);
    EXPECT_EQ(line.line.size(), kMaxLastLineBytes);
}

TEST_F(StreamTailTest, SkipsAUtf8Mark) {
    write("\xEF\xBB\xBF"
          "5\n");
    EXPECT_EQ(newest().line, "5\r\n");
}

TEST_F(StreamTailTest, RefusesUtf16) {
    write("\xFF\xFE"
          "5\0\n\0"s);
    const auto pumped = tail.pump();
    ASSERT_FALSE(pumped);
    EXPECT_EQ(pumped.error().code, kErrUnreadableEncoding);
}

} // namespace
