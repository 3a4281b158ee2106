#include "models/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <tuple>

namespace {

// The one value all of `values` share, or the lowest Twips when they differ.
Twips shared(std::initializer_list<Twips> values) {
    const bool same =
        std::all_of(values.begin(), values.end(), [&](Twips v) { return v == *values.begin(); });
    return same ? *values.begin() : std::numeric_limits<Twips>::min();
}

// What the width part places: the graph's width, valueLabels(0..2).Left,
// statusLabel's width and nowMarkerLabel's left.
using WidthPart = std::tuple<Twips, Twips, Twips, Twips>;
WidthPart widthPartOf(const MainWindowGeometry& g) {
    return {g.graphView.width, shared({g.valueLabels[0].left, g.valueLabels[1].left, g.valueLabels[2].left}),
            g.statusLabel.width, g.nowMarkerLabel.left};
}

// What the height part places: the graph's height, the scale labels' tops,
// the row under the graph, pageModeCheck's row, the value labels and statusLabel.
using HeightPart = std::tuple<Twips, std::array<Twips, 5>, Twips, Twips, std::array<Twips, 3>, Twips>;
HeightPart heightPartOf(const MainWindowGeometry& g) {
    const auto& m = g.scaleLabels;
    const auto& v = g.valueLabels;
    return {
        g.graphView.height,
        {m[0].top, m[1].top, m[2].top, m[3].top, m[4].top},
        shared({g.runButtons[0].top, g.runButtons[1].top, g.runButtons[2].top, g.columnEdit.top,
                g.compositeCheck.top, g.seriesColourCombo.top, g.columnScrollBar.top, g.settingsButton.top,
                g.resetButton.top}),
        shared({g.pageModeCheck.top, g.pageScrollBar.top, g.pagePositionLabel.top, g.pointsPerViewLabel.top}),
        {v[0].top, v[1].top, v[2].top},
        g.statusLabel.top};
}

TEST(ResizeRule, PlacesTheControlsForTheOuterSize) {
    const WidthPart at10590 = {9635, 7425, 10580, 9875};
    const HeightPart at3765 = {2050, {45, 557, 1070, 1583, 2095}, 2180, 2485, {2230, 2470, 2710}, 2765};
    // A part left out (nothing) leaves its direction as designed. Quarters of
    // h = 2 and h = 6 round halves to even; too low for any graph gives an
    // empty graph with the row right under it; at 100000 twips h, 2h and 3h
    // all exceed 16 bits.
    const std::tuple<Twips, Twips, std::optional<WidthPart>, std::optional<HeightPart>> cases[] = {
        {10590, 3765, at10590, at3765},
        {1000, 3765, std::nullopt, at3765},
        {10590, 500, at10590, std::nullopt},
        {1001, 501, WidthPart{46, -2164, 991, 286},
         HeightPart{0, {45, 45, 45, 45, 45}, 130, 435, {180, 420, 660}, 715}},
        {10590, 1717, at10590, HeightPart{2, {45, 45, 46, 47, 47}, 132, 437, {182, 422, 662}, 717}},
        {10590, 1721, at10590, HeightPart{6, {45, 47, 48, 49, 51}, 136, 441, {186, 426, 666}, 721}},
        {10590, 1000, at10590, HeightPart{0, {45, 45, 45, 45, 45}, 130, 435, {180, 420, 660}, 715}},
        {10590, 100000, at10590,
         HeightPart{98285, {45, 24616, 49187, 73759, 98330}, 98415, 98720, {98465, 98705, 98945}, 99000}},
    };
    const MainWindowGeometry design = designGeometry();
    for (const auto& [outerWidth, outerHeight, width, height] : cases) {
        const MainWindowGeometry g = layoutMainWindow(design, outerWidth, outerHeight);
        EXPECT_EQ(widthPartOf(g), width.value_or(widthPartOf(design))) << outerWidth << "x" << outerHeight;
        EXPECT_EQ(heightPartOf(g), height.value_or(heightPartOf(design))) << outerWidth << "x" << outerHeight;
    }
}

TEST(ResizeRule, ASkippedPartKeepsTheLastLayoutAndTheRuleReadsTheCurrentSizes) {
    const MainWindowGeometry wide = layoutMainWindow(designGeometry(), 20000, 6000);
    EXPECT_EQ(layoutMainWindow(wide, 900, 400), wide);
    MainWindowGeometry current = designGeometry();
    current.runButtons[0].height = 300; // 45 taller than designed
    const MainWindowGeometry g = layoutMainWindow(current, 10590, 3765);
    EXPECT_EQ(g.graphView.height, 2005);
    EXPECT_EQ(g.pageModeCheck.top, 300 + 2135 + 50);
}

TEST(TwipConversion, RoundsToTheNearestUnitAtTheLogicalDpi) {
    // No dpi known (0): 96 is assumed. Far beyond 32 bits the pixels saturate.
    const std::tuple<Twips, double, int> cases[] = {{10470, 96, 698}, {10470, 120, 873}, {7, 96, 0},
                                                    {8, 96, 1},       {-925, 96, -62},   {30, 0, 2}};
    EXPECT_EQ(pixelsFromTwips(Twips{1} << 40, 96), 16777215);
    EXPECT_EQ(pixelsFromTwips(-(Twips{1} << 40), 96), -16777215);
    for (const auto& [twips, dpi, pixels] : cases)
        EXPECT_EQ(pixelsFromTwips(twips, dpi), pixels) << twips << " twips at " << dpi;
    const std::tuple<int, double, Twips> back[] = {{698, 96, 10470}, {873, 120, 10476}, {-4, 96, -60}};
    for (const auto& [pixels, dpi, twips] : back)
        EXPECT_EQ(twipsFromPixels(pixels, dpi), twips) << pixels << " px at " << dpi;
}

} // namespace
