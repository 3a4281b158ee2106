#include "core/FormLayout.h"

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

// What the width part places: the graph's width, lblNowValVal(0..2).Left,
// lblInfo's width and lblTopInfo's left.
using WidthPart = std::tuple<Twips, Twips, Twips, Twips>;
WidthPart widthPartOf(const FormGeometry& g) {
    return {g.picView.width, shared({g.lblNowValVal[0].left, g.lblNowValVal[1].left, g.lblNowValVal[2].left}),
            g.lblInfo.width, g.lblTopInfo.left};
}

// What the height part places: the graph's height, the scale labels' tops,
// the row under the graph, chkReDraw's row, the value labels and lblInfo.
using HeightPart = std::tuple<Twips, std::array<Twips, 5>, Twips, Twips, std::array<Twips, 3>, Twips>;
HeightPart heightPartOf(const FormGeometry& g) {
    const auto& m = g.lblViewMem;
    const auto& v = g.lblNowValVal;
    return {g.picView.height,
            {m[0].top, m[1].top, m[2].top, m[3].top, m[4].top},
            shared({g.chkStart[0].top, g.chkStart[1].top, g.chkStart[2].top, g.txtWatch.top,
                    g.chkMultView.top, g.cmbColor.top, g.scrV.top, g.cmdGrp.top, g.cmdInit.top}),
            shared({g.chkReDraw.top, g.scrH.top, g.lblScrH.top, g.lblHeadInfo.top}),
            {v[0].top, v[1].top, v[2].top},
            g.lblInfo.top};
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
    const FormGeometry design = designFormGeometry();
    for (const auto& [outerWidth, outerHeight, width, height] : cases) {
        const FormGeometry g = layoutForm(design, outerWidth, outerHeight);
        EXPECT_EQ(widthPartOf(g), width.value_or(widthPartOf(design))) << outerWidth << "x" << outerHeight;
        EXPECT_EQ(heightPartOf(g), height.value_or(heightPartOf(design))) << outerWidth << "x" << outerHeight;
    }
}

TEST(ResizeRule, ASkippedPartKeepsTheLastLayoutAndTheRuleReadsTheCurrentSizes) {
    const FormGeometry wide = layoutForm(designFormGeometry(), 20000, 6000);
    EXPECT_EQ(layoutForm(wide, 900, 400), wide);
    FormGeometry current = designFormGeometry();
    current.chkStart[0].height = 300; // 45 taller than designed
    const FormGeometry g = layoutForm(current, 10590, 3765);
    EXPECT_EQ(g.picView.height, 2005);
    EXPECT_EQ(g.chkReDraw.top, 300 + 2135 + 50);
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
