#include "monitor/Replay.h"
#include "support/MonitorFixture.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct ReplayTest : MonitorFixture {
    void SetUp() override {
        apply({});
        monitor.setRunning(true);
    }
    // `settings` with a picture saved at every sweep, into the fixture folder.
    MonitorSettings savingSweeps(MonitorSettings settings) const {
        settings.saveSweepImages = true;
        settings.sweepFolder = dir.path();
        return settings;
    }
    // Replays `content` as the data file; false also when it ended on its error path.
    bool replayFile(const std::string& content, bool pageMode = false, int page = 0) {
        dir.write("data.csv", content);
        const auto result = replay(context, pageMode, page);
        return result && *result;
    }
    std::vector<std::string> savedNames() const {
        std::vector<std::string> names;
        for (const auto& path : surface.saved)
            names.push_back(std::filesystem::path(path).filename().string());
        return names;
    }
};

TEST_F(ReplayTest, PlotsEveryNumericLineAndReportsTheEnd) {
    EXPECT_TRUE(replayFile("10\n20\n30\n"));
    EXPECT_EQ(view.status, "3行目を表示中... 4行 表示完了");
    EXPECT_EQ(view.valueLabels, (std::array<std::string, 3>{"Max: 30", "Now: 30", "Min: 0"}));
    EXPECT_EQ(surface.hides, 3) << "one redraw per value";
    EXPECT_TRUE(replayFile("037.20\n"));
    EXPECT_EQ(view.valueLabels[1], "Now: 37.2") << "a new extreme shows its decimal text";

    monitor.setColumn(3);
    EXPECT_TRUE(replayFile("1,2\n3,4\n"));
    EXPECT_EQ(view.status, "データがありません。 1行 表示完了") << "no line has the field";

    apply({.dataFile = dir.file("missing.csv")});
    surface.lines.clear();
    const auto missing = replay(context, false, 0);
    ASSERT_TRUE(missing) << "not the error path";
    EXPECT_FALSE(*missing);
    EXPECT_TRUE(surface.lines.empty()) << "a missing file returns at once";
}

TEST_F(ReplayTest, ShowsNonNumericLinesUntilTheNextNumericOne) {
    monitor.setColumn(2);
    view.replayErrorHistory.clear();
    EXPECT_TRUE(replayFile("time,temp\n1,5\n2, 6 \n"));
    ASSERT_GE(view.replayErrorHistory.size(), 2u);
    EXPECT_EQ(view.replayErrorHistory[0], "数値データではありません。row=1\r\ntemp");
    EXPECT_EQ(view.replayErrorHistory[1], "");
    EXPECT_FALSE(view.replayErrorShown);
    EXPECT_EQ(view.valueLabels[1], "Now: 6") << "fields are trimmed of blanks";

    EXPECT_FALSE(replayFile("1,5\n2,x\n")) << "the last line read was not numeric";
    EXPECT_TRUE(view.replayErrorShown);
    EXPECT_EQ(view.replayError, "数値データではありません。row=2\r\nx")
        << "row is the next numeric line's number";
}

TEST_F(ReplayTest, SavesAPictureAtEverySweep) {
    apply(savingSweeps({.pointsPerView = 5})); // six slots: the 7th and the 13th value wrap
    replayFile(numberedLines(12));
    EXPECT_EQ(savedNames(), (std::vector<std::string>{"data1.bmp"}));
    surface.saved.clear();
    replayFile(numberedLines(13));
    EXPECT_EQ(savedNames(), (std::vector<std::string>{"data1.bmp", "data2.bmp"}));
}

TEST_F(ReplayTest, PageModeShowsTheChosenPageOrTheLastOne) {
    apply(savingSweeps({.pageSize = 100}));
    EXPECT_TRUE(replayFile(numberedLines(300), true, 2));
    EXPECT_EQ(view.status, "101行目から201行目を表示");
    EXPECT_EQ(savedNames(), (std::vector<std::string>{"data2.bmp", "data3.bmp"}));
    EXPECT_EQ(view.valueLabels[1], "Now: 201");

    apply({.pageSize = 100});
    const std::pair<std::string, std::string> lastPages[] = {
        {"", "0行目から0行目を表示しました。"},
        {numberedLines(3), "1行目から4行目を表示"}, // shorter than a page: never below line 1
        {numberedLines(250), "151行目から251行目を表示"}};
    for (const auto& [content, status] : lastPages) {
        EXPECT_TRUE(replayFile(content, true, 0));
        EXPECT_EQ(view.status, status);
    }
}

// A view switch changed between two page replays is used by the next one,
// also where no events ran inside the replays (a short page at full speed)
// to tell the chart so: the picture and its sweep image are the eager ones.
TEST_F(ReplayTest, SwitchesChangedBetweenPageReplaysAreUsedByTheNext) {
    EventPump lazyPump{view, 1'000'000}; // no events run within these replays
    MonitorContext lazy{monitor, view, chart, lazyPump, decoder};
    for (const int pause : {0, 1}) {
        apply(savingSweeps({.pageSize = 10, .replayPause = pause}));
        dir.write("data.csv", numberedLines(30));
        for (const auto& [colour, drawn] :
             {std::pair{"黄", kYellow}, std::pair{"赤", kRed}, std::pair{"水", kCyan}}) {
            SCOPED_TRACE(std::string(colour) + " pause " + std::to_string(pause));
            view.colour = colour;
            surface.savedPictures.clear();
            monitor.setRunning(true);
            ASSERT_TRUE(replay(lazy, true, 2));
            ASSERT_FALSE(surface.savedPictures.empty());
            for (const auto& saved : surface.savedPictures)
                EXPECT_TRUE(std::any_of(saved.begin(), saved.end(),
                                        [&](const RecordedLine& line) { return line.colour == drawn; }));
        }
    }
}

// With a pattern, lines it does not match are no data lines: skipped without
// a word, and not counted by the labels, the line count or the pages.
TEST_F(ReplayTest, APatternSkipsTheLinesItDoesNotMatch) {
    const std::string log =
        "start\nINFO temp=1\nWARN disk full\nINFO temp=2.5\nINFO temp=x\nINFO temp=3\nWARN the end\n";
    apply({.pattern = "temp=([0-9.]+)"});
    view.replayErrorHistory.clear();
    EXPECT_TRUE(replayFile(log));
    EXPECT_EQ(view.status, "3行目を表示中... 4行 表示完了");
    EXPECT_EQ(view.valueLabels, (std::array<std::string, 3>{"Max: 3", "Now: 3", "Min: 0"}));
    EXPECT_EQ(surface.hides, 3) << "one redraw per value";
    EXPECT_TRUE(std::all_of(view.replayErrorHistory.begin(), view.replayErrorHistory.end(),
                            [](const std::string& text) { return text.empty(); }));

    apply({.pattern = "temp=(\\S+)"});
    view.replayErrorHistory.clear();
    EXPECT_TRUE(replayFile(log));
    ASSERT_FALSE(view.replayErrorHistory.empty());
    EXPECT_EQ(view.replayErrorHistory[0], "数値データではありません。row=3\r\nx")
        << "the third matching line";

    // Pages of the matching lines are the pages of a file holding only them.
    for (const int page : {0, 1, 2, 3}) {
        const auto shown = [&](const std::string& content, const std::string& pattern) {
            dir.write("data.csv", content);
            apply({.pageSize = 2, .pattern = pattern});
            EXPECT_TRUE(replayFile(content, true, page));
            return std::tuple{monitor.dataFileLineCount(), view.status, view.valueLabels};
        };
        EXPECT_EQ(shown(log, "temp=([0-9.]+)"), shown("1\n2.5\n3\n", "")) << "page " << page;
    }
}

TEST_F(ReplayTest, AStopDuringThePauseEndsThePauseAndTheReplay) {
    apply({.replayPause = 60'000});
    view.onEvents = [&] { monitor.setRunning(false); };
    EXPECT_TRUE(replayFile(numberedLines(10)));
    EXPECT_EQ(monitor.samples().newestSlot(), 0);
}

TEST_F(ReplayTest, ErrorsEndOnTheErrorPath) {
    apply(savingSweeps({.pointsPerView = 2}));
    surface.failSaves = true;
    const int shows = surface.shows;
    dir.write("data.csv", numberedLines(5));
    const auto failed = replay(context, false, 0);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().message, dir.path() + "/data1.bmp: Permission denied") << "names the picture";
    EXPECT_TRUE(view.replayErrorShown);
    EXPECT_EQ(view.replayError, "Error : " + dir.path() + "/data1.bmp: Permission denied");
    EXPECT_GT(surface.shows, shows);

    surface.failSaves = false;
    apply({});
    EXPECT_FALSE(replayFile(std::string("\xFE\xFF\0"
                                        "1\0\n",
                                        6)))
        << "a UTF-16 file";
    EXPECT_EQ(view.replayError.rfind("Error : データファイルは UTF-16 で", 0), 0u) << view.replayError;
}

// Files as other programs write them: a UTF-8 byte-order mark before the
// first line, the largest double between other values, a field far longer
// than a label shows, a number with a trailing point.
TEST_F(ReplayTest, ReplaysFilesAsProgramsWriteThem) {
    const std::string longField = "x" + std::string(400, '9');
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF"
         "7\n8\n",
         "Now: 8", "Max: 8", "2行目を表示中... 3行 表示完了"},
        {"1\n1.7976931348623157E308\n2\n3\n", "Now: 3", "Max: 1.79769313486231E+308",
         "4行目を表示中... 5行 表示完了"},
        {"5.\n", "Now: 5", "Max: 5", "1行目を表示中... 2行 表示完了"}};
    for (const auto& [content, now, highest, status] : cases) {
        SCOPED_TRACE(content);
        EXPECT_TRUE(replayFile(content));
        EXPECT_EQ(view.valueLabels[1], now);
        EXPECT_EQ(view.valueLabels[0], highest);
        EXPECT_EQ(view.status, status);
        EXPECT_EQ(view.scaleLabels[0], highest.substr(5)) << "a finite top";
    }
    EXPECT_FALSE(replayFile("1\n" + longField + "\n"));
    EXPECT_EQ(view.replayError, "数値データではありません。row=2\r\n" + longField.substr(0, 256) + "…");
}

// What a lazy replay shows at every point where anyone can look equals what
// redrawing and relabelling after every value shows, also when the last page
// is partial.
TEST_F(ReplayTest, DeferredDrawingShowsTheSamePicturesAndLabels) {
    std::string content;
    for (int i = 0; i < 400; ++i)
        content += std::to_string((i * 37) % 101 - 20) + (i % 17 == 0 ? "\nx\n" : "\n");
    dir.write("data.csv", content + "y\n");
    const auto run = [&](int budget, bool page) {
        EventPump pump{view, budget};
        MonitorContext lazyOrEager{monitor, view, chart, pump, decoder};
        apply(savingSweeps({.pointsPerView = 30, .pageSize = 45})); // 400 values: the last page holds 40
        surface.savedPictures.clear();
        surface.lines.clear();
        EXPECT_TRUE(replay(lazyOrEager, page, 0));
        return std::pair{std::pair{surface.savedPictures, surface.lines},
                         std::tuple{view.valueLabels, view.status, view.replayError, view.replayErrorShown}};
    };
    for (bool page : {false, true}) {
        const auto eager = run(0, page);
        EXPECT_GT(eager.first.first.size(), 5u);
        const auto lazy = run(1'000'000, page);
        EXPECT_TRUE(lazy.first == eager.first) << "the same pictures, page " << page;
        EXPECT_EQ(lazy.second, eager.second) << "the same labels, page " << page;
    }
    EXPECT_EQ(std::get<0>(run(1'000'000, true).second)[1], "Now: 69")
        << "the line that completed the last full page";
}

TEST_F(ReplayTest, SurvivesAnotherReplayStartedInsideIt) {
    bool nested = false;
    view.onEvents = [&] {
        if (nested || view.eventRuns != 5)
            return;
        nested = true;
        apply({.pointsPerView = 3}); // the inner replay shrinks the ring under the outer one
        EXPECT_TRUE(replay(context, false, 0));
        monitor.setRunning(true);
    };
    replayFile(numberedLines(50));
    EXPECT_TRUE(nested);
    EXPECT_LT(static_cast<std::size_t>(monitor.samples().newestSlot()), monitor.samples().size());
}

TEST_F(ReplayTest, AFileThatShrinksUnderItEndsOnTheErrorPath) {
    apply({.pageSize = 1000});
    // Cut in the middle of a line, or at a line end: never a fabricated last value.
    for (const std::uintmax_t size : {std::uintmax_t{0}, std::uintmax_t{4}}) {
        view.eventRuns = 0;
        view.onEvents = [&] {
            if (view.eventRuns == 1)
                std::filesystem::resize_file(monitor.settings().dataFile, size);
        };
        dir.write("data.csv", "x\n" + numberedLines(300'000)); // larger than one read
        const auto result = replay(context, true, 0);
        ASSERT_FALSE(result) << "cut to " << size;
        EXPECT_EQ(result.error().code, kErrFileChanged);
        EXPECT_TRUE(view.replayErrorShown);
    }
}

// A fitted scale starts again from the first value of each replay, also when
// that value is no extreme counted from 0.
TEST_F(ReplayTest, AFittedScaleStartsFromTheFirstValueOfEachReplay) {
    using Labels = std::array<std::string, 5>;
    apply({.fitScale = true});
    const std::tuple<const char*, const char*, const char*, Labels> cases[] = {
        {"5\n7\n", "Max: 7", "Min: 5", {"7", "6.5", "6", "5.5", "5"}},
        {"0\n0\n", "Max: 0", "Min: 0", {"0.5", "0.25", "0", "-0.25", "-0.5"}},
        {"-2\n-3\n", "Max: -2", "Min: -3", {"-2", "-2.25", "-2.5", "-2.75", "-3"}},
    };
    for (const auto& [content, maxLabel, minLabel, labels] : cases) {
        EXPECT_TRUE(replayFile(content));
        EXPECT_EQ(view.valueLabels[0], maxLabel) << content;
        EXPECT_EQ(view.valueLabels[2], minLabel) << content;
        EXPECT_EQ(view.scaleLabels, labels) << content;
    }
}

} // namespace
