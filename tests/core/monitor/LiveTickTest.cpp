#include "monitor/LiveTick.h"
#include "io/LastLineReader.h"
#include "io/LineSearch.h"
#include "support/MonitorFixture.h"
#include "text/TextCodec.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <tuple>

namespace {

struct LiveTickTest : MonitorFixture {
    void SetUp() override { apply({}); }
    bool tick() { return liveTick(context); }
    int newestSlot() const { return monitor.samples().newestSlot(); }
    double valueAt(std::size_t slot) const { return monitor.samples().at(slot).value; }
    // A fixed scale with the given ends, no rescale pending.
    void applyFixedScale(double top, double bottom) {
        apply({.scaleTop = top, .scaleBottom = bottom, .autoScale = false});
        monitor.scale().clearRescale();
    }
};

TEST_F(LiveTickTest, PlotsTheNewestCompleteLineOfAGrowingFile) {
    dir.write("data.csv", "12,34\r\n");
    monitor.setColumn(2);
    tick();
    EXPECT_EQ(valueAt(0), 34);
    EXPECT_EQ(view.valueLabels[1], "Now: 34") << "the line end read with the line is not shown";
    EXPECT_EQ(view.status, "1行 表示");
    dir.append("data.csv", "1,75\r\n2,8");
    tick();
    EXPECT_EQ(newestSlot(), 1);
    EXPECT_EQ(valueAt(1), 75) << "the unfinished last line waits";
    EXPECT_EQ(monitor.scale().top(), 80);
    EXPECT_EQ(view.status, "2行 表示");
    EXPECT_FALSE(surface.linesOf(kYellow).empty());
}

TEST_F(LiveTickTest, SkipsLinesWithoutANumberAndGoesOn) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"5\n\n", 1, "a blank last line"}, {"5\nabc\n", 1, "not a number"}, {"5,\n", 2, "no such field"}};
    for (const auto& [content, column, why] : cases) {
        dir.write("data.csv", content);
        monitor.setColumn(column);
        EXPECT_FALSE(tick()) << why << ": no value stored";
        EXPECT_EQ(newestSlot(), -1) << why << ": no phantom sample";
        EXPECT_TRUE(monitor.readReady()) << why << ": monitoring goes on";
        EXPECT_TRUE(view.messages.empty()) << why;
    }
    dir.write("data.csv", "5\n7\n");
    monitor.setColumn(1);
    EXPECT_TRUE(tick());
    EXPECT_EQ(newestSlot(), 0);
    EXPECT_EQ(valueAt(0), 7);
}

// A last line longer than any record is read in part: a field that ends
// within that part has its value, one running beyond it has none.
TEST_F(LiveTickTest, TakesNoValueFromAFieldCutOffByTheReadLimit) {
    dir.write("data.csv", "7," + std::string(2 << 20, '0') + "5"); // field 2 is 5, not 0
    for (const auto& [column, position] : {std::pair{2, -1}, std::pair{1, 0}}) {
        monitor.setColumn(column);
        tick();
        EXPECT_EQ(newestSlot(), position) << "field " << column;
    }
    EXPECT_EQ(valueAt(0), 7);
    EXPECT_TRUE(view.messages.empty());
}

// Quotes that the rest of a cut line would close or continue: a quoted 12
// whose closing quote is the last byte read is "12"5 in the file, and a
// quote still open at the cut makes 3 part of field 1 in the file.
TEST_F(LiveTickTest, TakesNoValueFromAQuoteTheReadLimitLeavesUndecided) {
    const std::pair<std::string, int> cases[] = {
        {"1," + std::string(kMaxLastLineBytes - 7, 'x') + ",\"12\"5,6\n", 3},
        {"\"1,3," + std::string(kMaxLastLineBytes, 'x') + "\",5\n", 2}};
    for (const auto& [content, column] : cases) {
        dir.write("data.csv", content);
        monitor.setColumn(column);
        EXPECT_FALSE(tick()) << content.substr(0, 6);
        EXPECT_EQ(newestSlot(), -1);
    }
    dir.write("data.csv", "\"1\"," + std::string(kMaxLastLineBytes, 'x') + "\n");
    monitor.setColumn(1);
    EXPECT_TRUE(tick()) << "a quoted field closed before the cut";
    EXPECT_EQ(valueAt(0), 1);
}

// A spreadsheet's quoted fields: the quotes are no part of the value, and a
// delimiter inside them does not split.
TEST_F(LiveTickTest, PlotsAQuotedField) {
    dir.write("data.csv", "\"time\",\"temp\"\r\n\"2026-01-01 00:00\",\"12.5\"\r\n");
    monitor.setColumn(2);
    ASSERT_TRUE(tick());
    EXPECT_EQ(valueAt(0), 12.5);
    EXPECT_EQ(view.valueLabels[1], "Now: 12.5");
    dir.append("data.csv", "\"a,b\",13.75\r\n");
    ASSERT_TRUE(tick());
    EXPECT_EQ(valueAt(1), 13.75);
}

// With a pattern a message line is no data line: the newest line that
// matches is plotted, searched for within a stretch a tick can afford.
TEST_F(LiveTickTest, PlotsTheNewestLineThePatternMatches) {
    const std::string far(kMaxLineSearchBytes, 'm');
    const std::tuple<std::string, std::string, bool, const char*, std::string> cases[] = {
        // pattern, file, stored, Now label, status
        {"temp=([0-9.]+)", "INFO temp=21.5\nWARN disk full\n", true, "Now: 21.5", "2行 表示"},
        {"temp=([0-9.]+)", "INFO temp=21.5\nINFO temp=22\r\n", true, "Now: 22", "2行 表示"},
        {"[0-9]+ms", "t 35ms ok\n", false, "", ""}, // the whole match, "35ms", is no number
        {"=(-?[0-9]+)$", "a=-4\n", true, "Now: -4", "1行 表示"},
        {"temp=([0-9.]+)", "temp=1\n" + far + "\nlast\n", false, "", std::string(kNoMatchingLineText)},
        {"temp=([0-9.]+)", "WARN only\n", false, "", std::string(kNoMatchingLineText)},
        // group 1 unset: no match
        {"temp=(x)?([0-9]+)", "temp=5\n", false, "", std::string(kNoMatchingLineText)},
    };
    for (const auto& [pattern, content, stored, now, status] : cases) {
        apply({.pattern = pattern});
        view.status.clear();
        view.valueLabels[1].clear();
        dir.write("data.csv", content);
        EXPECT_EQ(tick(), stored) << pattern << " on " << content.substr(0, 20);
        EXPECT_EQ(view.valueLabels[1], now) << pattern;
        EXPECT_EQ(view.status, status) << pattern;
        EXPECT_TRUE(monitor.readReady()) << "monitoring goes on";
        EXPECT_TRUE(view.messages.empty());
    }
}

// A line longer than the last-line reader takes is cut: a match that runs to
// the cut could go on beyond it.
TEST_F(LiveTickTest, TakesNoMatchThatRunsToTheCut) {
    apply({.pattern = "v=([0-9]+)"});
    // The part read ends in "v=12" of "v=12345".
    dir.write("data.csv", "v=1\n" + std::string(kMaxLastLineBytes - 4, ' ') + "v=12345\n");
    EXPECT_TRUE(tick());
    EXPECT_EQ(valueAt(0), 1) << "the cut line gives nothing, the line before it does";
    dir.write("data.csv", "v=1\nv=2 " + std::string(kMaxLastLineBytes, ' ') + "\n");
    EXPECT_TRUE(tick());
    EXPECT_EQ(valueAt(1), 2) << "a match well before the cut";
}

// Lines in Shift_JIS are decoded before the pattern sees them.
TEST_F(LiveTickTest, MatchesTheDecodedLine) {
    const auto shiftJis = makeTextDecoder("Shift_JIS");
    ASSERT_TRUE(shiftJis);
    MonitorContext sjis{monitor, view, chart, pump, **shiftJis};
    apply({.pattern = "温度=([0-9.]+)"});
    dir.write("data.csv", "\x89\xB7\x93\x78=36.6\n"); // 温度 in Shift_JIS
    EXPECT_TRUE(liveTick(sjis));
    EXPECT_EQ(view.valueLabels[1], "Now: 36.6");
}

// Max/Min follow the data only with the automatic scale or right after
// applying; a new extreme shows its decimal text, any other value its field.
TEST_F(LiveTickTest, TracksExtremesOnlyWhileTheScaleFollowsTheData) {
    const std::tuple<bool, bool, const char*, double, const char*, const char*> steps[] = {
        // automatic, rescale, line, top afterwards, "Max: " label, "Now: " label
        {true, true, "037.20\n", 40, "Max: 37.2", "Now: 37.2"},
        {true, false, "020.0\n", 40, "Max: 37.2", "Now: 020.0"},
        {false, false, "150\n", 40, "Max: 37.2", "Now: 150"},
        {false, true, "0150\n", 200, "Max: 150", "Now: 150"},
    };
    for (const auto& [automatic, rescale, line, top, maxLabel, nowLabel] : steps) {
        // Applied with the ends in force, so that only the switches change.
        apply({.scaleTop = monitor.scale().top(), .autoScale = automatic});
        if (!rescale)
            monitor.scale().clearRescale();
        dir.write("data.csv", line);
        tick();
        EXPECT_EQ(monitor.scale().top(), top) << line;
        EXPECT_EQ(view.valueLabels[0], maxLabel) << line;
        EXPECT_EQ(view.valueLabels[1], nowLabel) << line;
        EXPECT_FALSE(monitor.scale().rescalePending()) << line;
    }
}

// Live monitoring uses slots 0..pointsPerView-1, although the ring holds more.
TEST_F(LiveTickTest, WrapsAfterTheLastSlotTheGraphDraws) {
    apply({.pointsPerView = 5});
    dir.write("data.csv", "3\n");
    for (int i = 0; i < 5; ++i)
        tick();
    EXPECT_EQ(newestSlot(), 4);
    EXPECT_FALSE(monitor.samples().wrapped());
    tick();
    EXPECT_EQ(newestSlot(), 0);
    EXPECT_TRUE(monitor.samples().wrapped());
}

TEST_F(LiveTickTest, AMissingOrUnreadableFileStopsTheRun) {
    const std::string dataFile = monitor.settings().dataFile;
    const std::tuple<std::string, bool, std::string> cases[] = {
        {"1\n", true, dataFile + "\r\nファイルが存在しませんでした。"},
        {std::string("\xFF\xFE"
                     "1\0\n\0",
                     6),
         false, "Error: (1523) \r\nデータファイルは UTF-16 で"}};
    for (const auto& [content, removed, message] : cases) {
        dir.write("data.csv", content);
        press(RunButton::Live);
        ASSERT_TRUE(view.pollTimerEnabled) << "precondition: monitoring";
        if (removed) // gone while the timer runs
            std::filesystem::remove(dataFile);
        view.log.clear();
        tick();
        EXPECT_FALSE(view.pollTimerEnabled);
        EXPECT_EQ(view.runButtons, (std::array<bool, 3>{false, false, false}));
        const auto stopped = std::find(view.log.begin(), view.log.end(), "pollTimerEnabled:0");
        const auto told = std::find_if(view.log.begin(), view.log.end(), [](const std::string& e) {
            return e.starts_with("showPlainMessage:");
        });
        EXPECT_LT(stopped, told) << "the run stops before the message shows";
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].rfind(message, 0), 0u) << view.messages[0];
        EXPECT_EQ(newestSlot(), -1);
        EXPECT_TRUE(monitor.readReady());
        view.messages.clear();
    }
}

// Files as other programs write them: a UTF-8 byte-order mark before the
// only line, the largest double, a field far longer than a label shows.
TEST_F(LiveTickTest, PlotsTheLastValueOfFilesAsProgramsWriteThem) {
    const std::string longField = "1" + std::string(300, '0');
    const std::tuple<std::string, double, std::string> cases[] = {
        {"\xEF\xBB\xBF"
         "42\n",
         42, "Now: 42"},
        {"1\n1.7976931348623157E308\n", std::numeric_limits<double>::max(), "Now: 1.79769313486231E+308"},
        // After the largest double no value is a new extreme: the field's own text shows.
        {"5\n" + longField + "\n", 1e300, "Now: " + longField.substr(0, 256) + "…"}};
    for (const auto& [content, value, now] : cases) {
        SCOPED_TRACE(content.substr(0, 20));
        apply({});
        dir.write("data.csv", content);
        ASSERT_TRUE(tick());
        EXPECT_EQ(monitor.samples().at(0).value, value);
        EXPECT_EQ(view.valueLabels[1], now);
        EXPECT_TRUE(view.messages.empty());
    }
}

TEST_F(LiveTickTest, AFixedScaleWithoutSpanOnlyClearsTheChartAndAnUnfinishedReadNothing) {
    dir.write("data.csv", "-5\n");
    monitor.setReadReady(false);
    tick();
    EXPECT_EQ(surface.clears, 0);
    monitor.setReadReady(true);
    applyFixedScale(0, 0);
    tick();
    EXPECT_EQ(newestSlot(), -1);
    EXPECT_EQ(surface.clears, 1);
    applyFixedScale(0, -100); // a fixed scale whose top is 0 plots
    tick();
    EXPECT_EQ(newestSlot(), 0);
    EXPECT_EQ(valueAt(0), -5);
}

// With a fitted scale the first value after applying fits both ends, also
// for a fixed scale while its rescale is pending; the fixed scale then stays.
TEST_F(LiveTickTest, FitsTheScaleToTheFirstValueWhileARescaleIsPending) {
    apply({.scaleTop = 100, .scaleBottom = 0, .autoScale = false, .fitScale = true});
    dir.write("data.csv", "1000000050\n");
    ASSERT_TRUE(tick());
    EXPECT_EQ(std::pair(monitor.scale().top(), monitor.scale().bottom()),
              std::pair(1010000000.0, 995000000.0));
    EXPECT_EQ(view.valueLabels,
              (std::array<std::string, 3>{"Max: 1000000050", "Now: 1000000050", "Min: 1000000050"}));
    EXPECT_EQ(view.scaleLabels[4], "995000000");
    dir.append("data.csv", "2000000000\n");
    ASSERT_TRUE(tick());
    EXPECT_EQ(monitor.scale().top(), 1010000000) << "fixed once the rescale is done";
    EXPECT_EQ(view.valueLabels[0], "Max: 1000000050");

    // Automatic now, applied with the ends in force: no switch, so the
    // extremes stay, and a value within them leaves the ends.
    apply({.scaleTop = monitor.scale().top(), .scaleBottom = monitor.scale().bottom(), .fitScale = true});
    dir.append("data.csv", "1000000050\n");
    ASSERT_TRUE(tick());
    EXPECT_EQ(std::pair(monitor.scale().top(), monitor.scale().bottom()),
              std::pair(1010000000.0, 995000000.0));
    dir.append("data.csv", "1000000100\n");
    ASSERT_TRUE(tick());
    EXPECT_EQ(view.valueLabels[0], "Max: 1000000100");
    EXPECT_EQ(view.valueLabels[2], "Min: 1000000050");
    EXPECT_EQ(std::pair(monitor.scale().top(), monitor.scale().bottom()),
              std::pair(1000000100.0, 1000000040.0))
        << "the step 20";
}

} // namespace
