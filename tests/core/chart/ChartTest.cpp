#include "chart/Chart.h"
#include "monitor/Monitor.h"
#include "support/FakeMonitorView.h"
#include "support/RecordingSurface.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace {

struct ChartFixture : testing::Test {
    MonitorState state;
    FakeMonitorView view;
    RecordingSurface surface;
    Chart chart{state, view, surface};

    ChartFixture() {
        LoadMonitorDefaults(state);
        state.scaleTop = 100;
        state.scaleBottom = 0;
    }
    void store(std::initializer_list<double> values) {
        for (double v : values) {
            ++state.newestSlot;
            state.samples[static_cast<std::size_t>(state.newestSlot)].value = v;
        }
    }
    std::vector<RecordedLine> seriesLines() const { return surface.linesOf(kYellow); }
    void drawSeries(bool deferred = false) {
        chart.DrawSeries(state.scaleTop, deferred ? Chart::When::Deferred : Chart::When::Now);
    }
};

// The segments joining rows `ys` at x, x + 1, ...
std::vector<RecordedLine> polyline(double x, std::vector<double> ys, Colour colour = kYellow) {
    std::vector<RecordedLine> lines;
    for (std::size_t i = 1; i < ys.size(); ++i, ++x)
        lines.push_back({x, ys[i - 1], x + 1, ys[i], colour});
    return lines;
}

TEST(ChartY, MapsTheScaleOntoZeroToHundredRows) {
    const std::tuple<double, double, double, double> cases[] = {
        {80, 0, 100, 20}, {150, 0, 100, -50}, {-50, 0, 100, 150}, {25, -100, 100, 37.5}, {0.333, 0, 1, 66.7}};
    for (const auto& [v, minY, top, y] : cases)
        EXPECT_DOUBLE_EQ(chartY(v, minY, top), y) << v << " on " << minY << ".." << top;
    EXPECT_EQ(chartY(1e308, -1e308, 1), -1e300) << "an overflowing ratio stays a number";
    EXPECT_DOUBLE_EQ(chartY(1e308, -9e307, 1e308), 0) << "a span beyond any double";
    EXPECT_DOUBLE_EQ(chartY(-9e307, -9e307, 1e308), 100);
    EXPECT_DOUBLE_EQ(chartY(5e306, -9e307, 1e308), 50);
}

TEST_F(ChartFixture, GridHasAuxiliaryLinesAndTheThreshold) {
    chart.DrawGrid();
    const auto green = surface.linesOf(kDarkGreen);
    ASSERT_EQ(green.size(), 111u);
    EXPECT_EQ(green.front(), (RecordedLine{1, 0, 1, 100, kDarkGreen}));
    EXPECT_EQ(green.back(), (RecordedLine{0, 110, 500, 110, kDarkGreen}));
    EXPECT_EQ(surface.linesOf(kRed), (std::vector<RecordedLine>{{0, 20, 500, 20, kRed}}));

    // A limit of 120 lies above the visible area; 0 or a hidden threshold draws none.
    const std::tuple<std::int16_t, bool, std::vector<RecordedLine>> cases[] = {
        {1, false, {{0, 99, 500, 99, kRed}}},
        {120, false, {{0, -20, 500, -20, kRed}}},
        {0, false, {}},
        {80, true, {}}};
    for (const auto& [limit, hidden, red] : cases) {
        state.thresholdPercent = limit;
        view.thresholdOff = hidden;
        chart.DrawGrid();
        EXPECT_EQ(surface.linesOf(kRed), red) << "limit " << limit << " hidden " << hidden;
    }
    view.auxiliaryHidden = true;
    chart.DrawGrid();
    EXPECT_TRUE(surface.linesOf(kDarkGreen).empty());

    // Only page mode with composite keeps the previous picture.
    for (auto [page, composite, clears] : {std::tuple{true, false, 1}, std::tuple{true, true, 0}}) {
        view.pageMode = page;
        view.composite = composite;
        surface.clears = 0;
        chart.DrawGrid();
        EXPECT_EQ(surface.clears, clears) << page << composite;
    }
}

TEST_F(ChartFixture, NewestSampleLandsAtTheRightEdgeInTheListsColour) {
    store({10, 20, 30, 40, 50, 60}); // slots 0..5
    view.colour = "水";
    drawSeries();
    EXPECT_EQ(surface.linesOf(kCyan), polyline(495, {90, 80, 70, 60, 50, 40}, kCyan));
    view.colour = "緑"; // not in the list
    drawSeries();
    EXPECT_EQ(seriesLines().size(), 5u) << "yellow for any other text";
}

TEST_F(ChartFixture, DrawsNoSeriesForOneSampleAZeroSpanOrAnEmptyPosition) {
    store({50});
    drawSeries();
    EXPECT_TRUE(seriesLines().empty());
    store({60});
    state.scaleTop = state.scaleBottom = 0;
    drawSeries();
    EXPECT_TRUE(seriesLines().empty()) << "zero span: grid only";
    EXPECT_EQ(surface.linesOf(kDarkGreen).size(), 111u);
    state.scaleTop = 100;
    ResetDatPos(state);
    drawSeries();
    EXPECT_TRUE(seriesLines().empty()) << "the values stay but are not drawn";
}

TEST_F(ChartFixture, WrappedOrderStartsAfterTheNewestSample) {
    state.pointsPerView = 5;
    ASSERT_TRUE(RedimDatBuf(state, 5));
    for (int i = 0; i <= 5; ++i)
        state.samples[static_cast<std::size_t>(i)].value = 10.0 * i;
    state.samplesWrapped = true;
    state.newestSlot = 2;
    drawSeries();
    EXPECT_EQ(seriesLines(), polyline(-1, {70, 70, 60, 100, 90}))
        << "slot 3 oldest, slot 2 newest, not drawn";
    state.newestSlot = 5; // a replay that filled slot pointsPerView starts again at slot 0
    drawSeries();
    EXPECT_EQ(seriesLines(), polyline(-1, {100, 100, 90, 80, 70}));
}

TEST_F(ChartFixture, DeferredRedrawShowsTheStateItWasAskedWith) {
    store({10, 20, 30});
    drawSeries(true);
    EXPECT_TRUE(surface.lines.empty()) << "nothing rasterised until someone looks";
    ++state.newestSlot; // the next value's position advances before the picture is observed
    state.scaleTop = 1000;
    chart.flush();
    EXPECT_EQ(seriesLines(), polyline(498, {90, 80, 70}));

    drawSeries(true);
    chart.DrawGrid(); // replaces the waiting picture
    chart.flush();
    EXPECT_TRUE(seriesLines().empty());

    view.pageMode = view.composite = true; // ticked by the user while events ran
    chart.eventsRan();
    drawSeries(true);
    EXPECT_FALSE(seriesLines().empty()) << "composite pictures are drawn at once";
}

TEST_F(ChartFixture, PrintsMaxMinNearTheFirstSampleWithoutDividingByZero) {
    state.highest = 40;
    state.lowest = -5.5;
    for (auto [top, first, y] : {std::tuple{100.0, 30.0, 70.0}, std::tuple{0.0, 30.0, 0.0},
                                 std::tuple{100.0, 1e300, 0.0}, std::tuple{100.0, -1e300, 100.0}}) {
        state.samples[0].value = first;
        chart.PrintMaxMin(top);
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
        state.pointsPerView = 100'000;
        ASSERT_TRUE(RedimDatBuf(state, state.pointsPerView));
        std::mt19937 random(3);
        std::normal_distribution<double> noise(50, 15);
        for (auto& sample : state.samples)
            sample.value = noise(random);
        state.newestSlot = wrapped ? 41'234 : 77'777;
        state.samplesWrapped = wrapped;

        const auto coverage = [&](int pixelWidth) {
            surface.reportedPixelWidth = pixelWidth; // 0: every segment
            drawSeries();
            Coverage rows;
            for (const auto& line : seriesLines())
                rasterise(rows, line, width, height, state.pointsPerView);
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
