#include "chart/Chart.h"
#include "support/RecordingSurface.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

// The window's view switches, set by the test.
struct FakeSwitches : ChartSwitchSource {
    ChartSwitches now;
    ChartSwitches chartSwitches() const override { return now; }
};

struct ChartFixture : testing::Test {
    // The monitor's defaults: 500 points across, a ring of 501 slots, threshold 80.
    std::vector<Sample> samples = std::vector<Sample>(501);
    ChartFrame frame{100, 0, 80, SeriesWindow{&samples, 500, -1, false}};
    FakeSwitches switches;
    RecordingSurface surface;
    Chart chart{surface, switches};

    void store(std::initializer_list<double> values) {
        for (double v : values)
            samples[static_cast<std::size_t>(++frame.series.newestSlot)].value = v;
    }
    // An emptied ring of `pointsPerView` + 1 slots.
    void resize(int pointsPerView) {
        samples.assign(static_cast<std::size_t>(pointsPerView) + 1, Sample{});
        frame.series = SeriesWindow{&samples, pointsPerView, -1, false};
    }
    std::vector<RecordedLine> seriesLines() const { return surface.linesOf(kYellow); }
    void drawSeries(bool deferred = false) {
        chart.drawSeries(frame, deferred ? Chart::When::Deferred : Chart::When::Now);
    }
};

// The segments joining rows `ys` at x, x + 1, ...
std::vector<RecordedLine> polyline(double x, std::vector<double> ys, Colour colour = kYellow) {
    std::vector<RecordedLine> lines;
    for (std::size_t i = 1; i < ys.size(); ++i, ++x)
        lines.push_back({x, ys[i - 1], x + 1, ys[i], colour});
    return lines;
}

TEST_F(ChartFixture, GridHasAuxiliaryLinesAndTheThreshold) {
    chart.drawGrid(frame);
    const auto green = surface.linesOf(kDarkGreen);
    ASSERT_EQ(green.size(), 111u);
    EXPECT_EQ(green.front(), (RecordedLine{1, 0, 1, 100, kDarkGreen}));
    EXPECT_EQ(green.back(), (RecordedLine{0, 110, 500, 110, kDarkGreen}));
    EXPECT_EQ(surface.linesOf(kRed), (std::vector<RecordedLine>{{0, 20, 500, 20, kRed}}));

    // A limit of 120 lies above the visible area; 0 or a hidden threshold draws none.
    const std::tuple<int, bool, std::vector<RecordedLine>> cases[] = {
        {1, false, {{0, 99, 500, 99, kRed}}},
        {120, false, {{0, -20, 500, -20, kRed}}},
        {0, false, {}},
        {80, true, {}}};
    for (const auto& [limit, hidden, red] : cases) {
        frame.thresholdPercent = limit;
        switches.now.hideThreshold = hidden;
        chart.drawGrid(frame);
        EXPECT_EQ(surface.linesOf(kRed), red) << "limit " << limit << " hidden " << hidden;
    }
    switches.now.hideGrid = true;
    chart.drawGrid(frame);
    EXPECT_TRUE(surface.linesOf(kDarkGreen).empty());

    // A composite page keeps the previous picture.
    for (auto [clear, clears] : {std::pair{true, 1}, std::pair{false, 0}}) {
        switches.now.clear = clear;
        surface.clears = 0;
        chart.drawGrid(frame);
        EXPECT_EQ(surface.clears, clears) << "clear " << clear;
    }
}

TEST_F(ChartFixture, NewestSampleLandsAtTheRightEdgeInTheChosenColour) {
    store({10, 20, 30, 40, 50, 60}); // slots 0..5
    switches.now.colour = kCyan;
    drawSeries();
    EXPECT_EQ(surface.linesOf(kCyan), polyline(495, {90, 80, 70, 60, 50, 40}, kCyan));

    // The colour list's texts, and yellow for any other text.
    const std::pair<std::string_view, Colour> colours[] = {{"黄", kYellow}, {"白", kWhite}, {"青", kBlue},
                                                           {"赤", kRed},    {"水", kCyan},  {"緑", kYellow},
                                                           {"", kYellow}};
    for (const auto& [text, colour] : colours)
        EXPECT_EQ(seriesColourFor(text, kYellow), colour) << text;
}

TEST_F(ChartFixture, DrawsNoSeriesForOneSampleAZeroSpanOrAnEmptyPosition) {
    store({50});
    drawSeries();
    EXPECT_TRUE(seriesLines().empty());
    store({60});
    frame.top = frame.bottom = 0;
    drawSeries();
    EXPECT_TRUE(seriesLines().empty()) << "zero span: grid only";
    EXPECT_EQ(surface.linesOf(kDarkGreen).size(), 111u);
    frame.top = 100;
    frame.series.newestSlot = -1;
    drawSeries();
    EXPECT_TRUE(seriesLines().empty()) << "the values stay but are not drawn";
}

TEST_F(ChartFixture, WrappedOrderStartsAfterTheNewestSample) {
    resize(5);
    for (int i = 0; i <= 5; ++i)
        samples[static_cast<std::size_t>(i)].value = 10.0 * i;
    frame.series.wrapped = true;
    frame.series.newestSlot = 2;
    drawSeries();
    EXPECT_EQ(seriesLines(), polyline(-1, {70, 70, 60, 100, 90}))
        << "slot 3 oldest, slot 2 newest, not drawn";
    frame.series.newestSlot = 5; // a replay that filled slot pointsPerView starts again at slot 0
    drawSeries();
    EXPECT_EQ(seriesLines(), polyline(-1, {100, 100, 90, 80, 70}));
}

TEST_F(ChartFixture, DeferredRedrawShowsTheFrameItWasAskedWith) {
    store({10, 20, 30});
    drawSeries(true);
    EXPECT_TRUE(surface.lines.empty()) << "nothing rasterised until someone looks";
    chart.beforeSamplesChange();
    store({40}); // the next value is stored before the picture is observed
    samples[0].value = 99;
    frame.top = 1000;
    chart.flush();
    EXPECT_EQ(seriesLines(), polyline(498, {90, 80, 70}));

    drawSeries(true);
    chart.drawGrid(frame); // replaces the waiting picture
    chart.flush();
    EXPECT_TRUE(seriesLines().empty());

    switches.now.clear = false; // a composite page ticked by the user while events ran
    chart.eventsRan();
    drawSeries(true);
    EXPECT_FALSE(seriesLines().empty()) << "composite pictures are drawn at once";
}

TEST_F(ChartFixture, PrintsMaxMinNearTheFirstSampleWithoutDividingByZero) {
    for (auto [top, first, y] : {std::tuple{100.0, 30.0, 70.0}, std::tuple{0.0, 30.0, 0.0},
                                 std::tuple{100.0, 1e300, 0.0}, std::tuple{100.0, -1e300, 100.0}}) {
        chart.printExtremes(ExtremesNote{40, -5.5, top, 0, first});
        ASSERT_FALSE(surface.texts.empty());
        EXPECT_EQ(surface.texts.back().text, "Max:40\r\nMin:-5.5");
        EXPECT_EQ(surface.texts.back().x, 0);
        EXPECT_EQ(surface.texts.back().y, y) << "top " << top << " first " << first;
        EXPECT_EQ(surface.texts.back().mode, ScaleMode::Twips);
    }
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
        resize(100'000);
        std::mt19937 random(3);
        std::normal_distribution<double> noise(50, 15);
        for (auto& sample : samples)
            sample.value = noise(random);
        frame.series.newestSlot = wrapped ? 41'234 : 77'777;
        frame.series.wrapped = wrapped;

        const auto coverage = [&](int pixelWidth) {
            surface.reportedPixelWidth = pixelWidth; // 0: every segment
            drawSeries();
            Coverage rows;
            for (const auto& line : seriesLines())
                rasterise(rows, line, width, height, frame.series.pointsPerView);
            return rows;
        };
        const Coverage full = coverage(0);
        Coverage reduced = coverage(width);
        EXPECT_LT(seriesLines().size(), 2u * width + 2) << "the cost follows the width";
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
