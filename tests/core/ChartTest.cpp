#include "core/Chart.h"
#include "RecordingSurface.h"
#include "core/MonitorState.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

namespace {

struct ChartFixture : testing::Test {
    MonitorState state;
    FakeMonitorView view;
    RecordingSurface surface;
    Chart chart{state, view, surface};

    ChartFixture() {
        LoadMonitorDefaults(state);
        state.dblMaxY = 100;
        state.dblMinY = 0;
    }
    void store(std::initializer_list<double> values) {
        for (double v : values) {
            ++state.lngDatPos;
            state.DatBuf[static_cast<std::size_t>(state.lngDatPos)].DVal = v;
        }
    }
    std::vector<RecordedLine> seriesLines() const { return surface.linesOf(kYellow); }
    void drawSeries(bool deferred = false) {
        Colour colour = kYellow;
        chart.DrawSeries(state.dblMaxY, colour, deferred);
    }
};

TEST(ChartY, MapsTheScaleOntoZeroToHundredRows) {
    const struct {
        double v, minY, top, y;
    } cases[] = {
        {80, 0, 100, 20},   {0, 0, 100, 100},      {100, 0, 100, 0},    {150, 0, 100, -50},
        {-50, 0, 100, 150}, {25, -100, 100, 37.5}, {0.333, 0, 1, 66.7}, {-2, -4, 0, 50},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(chartY(c.v, c.minY, c.top), c.y) << c.v << " on " << c.minY << ".." << c.top;
    EXPECT_EQ(chartY(1e308, -1e308, 1), -1e300) << "an overflowing ratio stays a number";
}

TEST_F(ChartFixture, GridHasAuxiliaryLinesAndTheThreshold) {
    chart.DrawGrid();
    EXPECT_EQ(surface.clears, 1);
    const auto green = surface.linesOf(kDarkGreen);
    ASSERT_EQ(green.size(), 111u);
    EXPECT_EQ(green.front(), (RecordedLine{1, 0, 1, 100, kDarkGreen}));
    EXPECT_EQ(green[99], (RecordedLine{100, 0, 100, 100, kDarkGreen}));
    EXPECT_EQ(green[100], (RecordedLine{0, 10, 500, 10, kDarkGreen}));
    EXPECT_EQ(green.back(), (RecordedLine{0, 110, 500, 110, kDarkGreen}));
    EXPECT_EQ(surface.linesOf(kRed), (std::vector<RecordedLine>{{0, 20, 500, 20, kRed}}));
    EXPECT_EQ(surface.scaleWidthNow, 500);
    EXPECT_EQ(surface.scaleHeight(), 100);
}

TEST_F(ChartFixture, ThresholdFollowsTheLimitAndTheSwitches) {
    const struct {
        std::int16_t limit;
        bool hidden;
        std::vector<RecordedLine> red;
    } cases[] = {
        {80, false, {{0, 20, 500, 20, kRed}}},
        {1, false, {{0, 99, 500, 99, kRed}}},
        {120, false, {{0, -20, 500, -20, kRed}}}, // above the visible area
        {0, false, {}},
        {-5, false, {}},
        {80, true, {}},
    };
    for (const auto& c : cases) {
        state.intLimit = c.limit;
        view.thresholdOff = c.hidden;
        chart.DrawGrid();
        EXPECT_EQ(surface.linesOf(kRed), c.red) << "limit " << c.limit << " hidden " << c.hidden;
    }
    view.auxiliaryHidden = true;
    chart.DrawGrid();
    EXPECT_TRUE(surface.linesOf(kDarkGreen).empty());
}

TEST_F(ChartFixture, OnlyPageModeWithCompositeAccumulates) {
    for (auto [page, composite, clears] : {std::tuple{false, false, 1}, std::tuple{true, false, 1},
                                           std::tuple{false, true, 1}, std::tuple{true, true, 0}}) {
        view.pageMode = page;
        view.composite = composite;
        surface.clears = 0;
        chart.DrawGrid();
        EXPECT_EQ(surface.clears, clears) << page << composite;
    }
}

TEST_F(ChartFixture, NewestSampleLandsAtTheRightEdge) {
    store({10, 20, 30, 40, 50, 60}); // slots 0..5
    drawSeries();
    const std::vector<RecordedLine> expected = {
        {495, 90, 496, 80, kYellow}, {496, 80, 497, 70, kYellow}, {497, 70, 498, 60, kYellow},
        {498, 60, 499, 50, kYellow}, {499, 50, 500, 40, kYellow},
    };
    EXPECT_EQ(seriesLines(), expected);
    EXPECT_EQ(surface.hides, 1);
    EXPECT_EQ(surface.shows, 1);
}

TEST_F(ChartFixture, DrawsNoSeriesForOneSampleAZeroSpanOrAnEmptyPosition) {
    store({50});
    drawSeries();
    EXPECT_TRUE(seriesLines().empty());
    store({60});
    state.dblMaxY = state.dblMinY = 0;
    drawSeries();
    EXPECT_TRUE(seriesLines().empty()) << "zero span: grid only";
    EXPECT_EQ(surface.linesOf(kDarkGreen).size(), 111u);
    state.dblMaxY = 100;
    ResetDatPos(state);
    drawSeries();
    EXPECT_TRUE(seriesLines().empty()) << "the values stay but are not drawn";
}

TEST_F(ChartFixture, WrappedOrderStartsAfterTheNewestSample) {
    state.lngXmem = 5;
    ASSERT_TRUE(RedimDatBuf(state, 5));
    for (int i = 0; i <= 5; ++i)
        state.DatBuf[static_cast<std::size_t>(i)].DVal = 10.0 * i;
    state.blnDatRound = true;
    state.lngDatPos = 2;
    drawSeries();
    // Slot 3 is the oldest; slot 2, the newest, is not drawn.
    EXPECT_EQ(seriesLines(), (std::vector<RecordedLine>{{-1, 70, 0, 70, kYellow},
                                                        {0, 70, 1, 60, kYellow},
                                                        {1, 60, 2, 100, kYellow},
                                                        {2, 100, 3, 90, kYellow}}));
    // A replay that filled slot lngXmem starts again at slot 0.
    state.lngDatPos = 5;
    drawSeries();
    EXPECT_EQ(seriesLines(), (std::vector<RecordedLine>{{-1, 100, 0, 100, kYellow},
                                                        {0, 100, 1, 90, kYellow},
                                                        {1, 90, 2, 80, kYellow},
                                                        {2, 80, 3, 70, kYellow}}));
}

TEST_F(ChartFixture, ColourComesFromTheColourList) {
    store({10, 20});
    const struct {
        const char* text;
        Colour colour;
    } cases[] = {{"黄", kYellow}, {"白", kWhite},  {"青", kBlue}, {"赤", kRed},
                 {"水", kCyan},   {"緑", kYellow}, {"", kYellow}};
    for (const auto& c : cases) {
        view.colour = c.text;
        Colour colour = kYellow;
        chart.DrawSeries(state.dblMaxY, colour);
        EXPECT_EQ(colour, c.colour) << c.text;
        ASSERT_FALSE(surface.linesOf(c.colour).empty()) << c.text;
    }
}

TEST_F(ChartFixture, DeferredRedrawShowsTheStateItWasAskedWith) {
    store({10, 20, 30});
    drawSeries(true);
    EXPECT_TRUE(surface.lines.empty()) << "nothing rasterised until someone looks";
    // The next value's position advances before the picture is observed.
    ++state.lngDatPos;
    state.dblMaxY = 1000;
    chart.flush();
    EXPECT_EQ(seriesLines(),
              (std::vector<RecordedLine>{{498, 90, 499, 80, kYellow}, {499, 80, 500, 70, kYellow}}));
    const auto drawn = surface.lines.size();
    chart.flush();
    EXPECT_EQ(surface.lines.size(), drawn) << "rendered once";

    drawSeries(true);
    chart.DrawGrid(); // replaces the waiting picture
    chart.flush();
    EXPECT_TRUE(seriesLines().empty());

    view.pageMode = view.composite = true; // ticked by the user while events ran
    chart.eventsRan();
    drawSeries(true);
    EXPECT_FALSE(seriesLines().empty()) << "composite pictures are drawn at once";
}

TEST_F(ChartFixture, PrintsMaxMinAtTheTopLeftInTwips) {
    state.dblNowMax = 40;
    state.dblNowMin = -5.5;
    state.DatBuf[0].DVal = 30;
    chart.PrintMaxMin(state.dblMaxY);
    ASSERT_EQ(surface.texts.size(), 1u);
    const RecordedText& text = surface.texts[0];
    EXPECT_EQ(text.text, "Max:40\r\nMin:-5.5");
    EXPECT_EQ(text.x, 0);
    EXPECT_EQ(text.y, 70);
    EXPECT_EQ(text.mode, ScaleMode::Twips);
    EXPECT_EQ(text.colour, kWhite);
    EXPECT_EQ(text.size, 8);
    EXPECT_TRUE(surface.persistent);

    for (auto [top, first, y] : {std::tuple{0.0, 30.0, 0.0}, std::tuple{100.0, 1e300, 0.0},
                                 std::tuple{100.0, -1e300, 100.0}, std::tuple{100.0, 12.5, 88.0}}) {
        state.DatBuf[0].DVal = first;
        state.dblMinY = 0;
        chart.PrintMaxMin(top);
        EXPECT_EQ(surface.texts.back().y, y) << "top " << top << " first " << first;
    }
}

TEST_F(ChartFixture, SavesSweepPicturesOnlyWhenAsked) {
    CoreError error;
    EXPECT_TRUE(chart.SaveSweepBitmap(1, 100, error));
    EXPECT_TRUE(surface.saved.empty());

    state.blnViewSave = true;
    state.strViewSaveDir = "/out/";
    state.strInFileTitle = "log";
    state.strInFile = "/data/log.csv";
    EXPECT_TRUE(chart.SaveSweepBitmap(3, 100, error));
    EXPECT_EQ(surface.saved, (std::vector<std::string>{"/out/log3.bmp"}));
    EXPECT_EQ(surface.calls[surface.calls.size() - 2], "scaleMode") << "Max/Min printed before saving";
    EXPECT_EQ(surface.texts.size(), 1u);

    chart.setSweepFormat(ImageFormat::Png);
    state.strViewSaveDir = "/out";
    EXPECT_EQ(chart.sweepPicturePath(12), "/out/log12.png");

    state.strInFile = "/out/log4.png";
    EXPECT_FALSE(chart.SaveSweepBitmap(4, 100, error)) << "never overwrites the data file";
    EXPECT_EQ(surface.saved.size(), 1u);

    surface.failSaves = true;
    EXPECT_FALSE(chart.SaveSweepBitmap(5, 100, error));
    EXPECT_EQ(error.number, 13);
}

TEST_F(ChartFixture, LocateSwitchesToMillimetres) {
    chart.Locate(7, 2);
    EXPECT_EQ(surface.mode, ScaleMode::Millimetres);
    surface.printText("x", kWhite, 9);
    EXPECT_EQ(surface.texts.back().x, 7);
    EXPECT_EQ(surface.texts.back().y, 2);
}

// Rows a 1-pixel line covers in each pixel column, as a raster surface would
// draw it (Bresenham between the mapped end points).
using Coverage = std::map<int, std::set<int>>;

void rasterise(Coverage& coverage, const RecordedLine& line, int width, int height, double scaleWidth) {
    const auto col = [&](double x) { return static_cast<int>(std::floor(x * width / scaleWidth)); };
    const auto row = [&](double y) { return static_cast<int>(std::floor(y * height / 100)); };
    int x0 = col(line.x1), y0 = row(line.y1);
    const int x1 = col(line.x2), y1 = row(line.y2);
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        coverage[x0].insert(y0);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

TEST_F(ChartFixture, ReducedSeriesCoversTheSameRowsAsEverySegment) {
    const int width = 1000, height = 250;
    for (bool wrapped : {false, true}) {
        state.lngXmem = 100'000;
        ASSERT_TRUE(RedimDatBuf(state, state.lngXmem));
        std::mt19937 random(3);
        std::normal_distribution<double> noise(50, 15);
        for (auto& sample : state.DatBuf)
            sample.DVal = noise(random);
        state.lngDatPos = wrapped ? 41'234 : 77'777;
        state.blnDatRound = wrapped;

        Coverage full, reduced;
        surface.reportedPixelWidth = 0;
        drawSeries();
        const auto everySegment = seriesLines();
        for (const auto& line : everySegment)
            rasterise(full, line, width, height, state.lngXmem);
        surface.reportedPixelWidth = width;
        drawSeries();
        const auto reducedLines = seriesLines();
        for (const auto& line : reducedLines)
            rasterise(reduced, line, width, height, state.lngXmem);

        EXPECT_LT(reducedLines.size(), 2u * width + 2) << "the cost follows the width";
        ASSERT_EQ(full.size(), reduced.size());
        for (const auto& [column, rows] : full) {
            const auto& other = reduced[column];
            EXPECT_LE(std::abs(*rows.begin() - *other.begin()), 1) << "column " << column;
            EXPECT_LE(std::abs(*rows.rbegin() - *other.rbegin()), 1) << "column " << column;
            EXPECT_EQ(other.size(), static_cast<std::size_t>(*other.rbegin() - *other.begin() + 1))
                << "column " << column << " is one unbroken span";
        }
    }
}

} // namespace
