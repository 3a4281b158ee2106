#include "mainwin/FormLayout.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <vector>

namespace {

// Left and width of every control, or top and height.
std::vector<std::pair<Twips, Twips>> spans(const FormGeometry& g, bool horizontal) {
    std::vector<const TwipRect*> all = {&g.cmbColor,    &g.chkMultView, &g.Command1,   &g.cmdInit,
                                        &g.scrH,        &g.chkReDraw,   &g.scrV,       &g.txtWatch,
                                        &g.cmdGrp,      &g.picView,     &g.lblErrInfo, &g.lblTopInfo,
                                        &g.lblHeadInfo, &g.lblScrH,     &g.lblInfo};
    for (const auto* list : {g.chkStart.data(), g.lblNowValVal.data()})
        for (int i = 0; i < 3; ++i)
            all.push_back(list + i);
    for (const TwipRect& r : g.lblViewMem)
        all.push_back(&r);
    std::vector<std::pair<Twips, Twips>> result;
    for (const TwipRect* r : all)
        result.emplace_back(horizontal ? std::pair{r->left, r->width} : std::pair{r->top, r->height});
    return result;
}

struct WidthPart {
    Twips picWidth;
    Twips valueLeft; // lblNowValVal(0..2).Left
    Twips infoWidth;
    Twips topInfoLeft;
};

struct HeightPart {
    Twips picHeight;
    std::array<Twips, 5> scaleTops;
    Twips rowTop; // chkStart(0).Top and the rest of the row
    Twips reDrawTop;
    std::array<Twips, 3> valueTops;
    Twips infoTop;
};

// A part left out leaves every control as designed in that direction.
struct LayoutCase {
    const char* name;
    Twips outerWidth;
    Twips outerHeight;
    std::optional<WidthPart> width;
    std::optional<HeightPart> height;
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.name;
}

class ResizeRule : public testing::TestWithParam<LayoutCase> {};

TEST_P(ResizeRule, PlacesTheControlsForTheOuterSize) {
    const auto& c = GetParam();
    const FormGeometry design = designFormGeometry();
    const FormGeometry g = layoutForm(design, c.outerWidth, c.outerHeight);

    if (const auto& w = c.width) {
        EXPECT_EQ(g.picView.width, w->picWidth);
        for (const TwipRect& value : g.lblNowValVal)
            EXPECT_EQ(value.left, w->valueLeft);
        EXPECT_EQ(g.lblInfo.width, w->infoWidth);
        EXPECT_EQ(g.lblTopInfo.left, w->topInfoLeft);
    } else {
        EXPECT_EQ(spans(g, true), spans(design, true)) << "no horizontal change at all";
    }

    if (const auto& h = c.height) {
        EXPECT_EQ(g.picView.height, h->picHeight);
        for (std::size_t i = 0; i < 5; ++i)
            EXPECT_EQ(g.lblViewMem[i].top, h->scaleTops[i]) << "lblViewMem(" << i << ")";
        for (const TwipRect* control : {&g.chkStart[0], &g.chkStart[1], &g.chkStart[2], &g.txtWatch,
                                        &g.chkMultView, &g.cmbColor, &g.scrV, &g.cmdGrp, &g.cmdInit})
            EXPECT_EQ(control->top, h->rowTop);
        EXPECT_EQ(g.chkReDraw.top, h->reDrawTop);
        for (const TwipRect* control : {&g.scrH, &g.lblScrH, &g.lblHeadInfo})
            EXPECT_EQ(control->top, h->reDrawTop);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(g.lblNowValVal[i].top, h->valueTops[i]) << "lblNowValVal(" << i << ")";
        EXPECT_EQ(g.lblInfo.top, h->infoTop);
    } else {
        EXPECT_EQ(spans(g, false), spans(design, false)) << "no vertical change at all";
    }
}

constexpr WidthPart kWidthAt10590 = {9635, 7425, 10580, 9875};
constexpr HeightPart kHeightAt3765 = {2050, {45, 557, 1070, 1583, 2095}, 2180,
                                      2485, {2230, 2470, 2710},          2765};

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResizeRule,
    testing::Values(
        LayoutCase{"DesignOuterSize", 10590, 3765, kWidthAt10590, kHeightAt3765},
        LayoutCase{"WidthExactly1000", 1000, 3765, std::nullopt, kHeightAt3765},
        LayoutCase{"HeightExactly500", 10590, 500, kWidthAt10590, std::nullopt},
        LayoutCase{"NeitherPart", 1000, 500, std::nullopt, std::nullopt},
        LayoutCase{"JustAboveBoth", 1001, 501, WidthPart{46, -2164, 991, 286},
                   HeightPart{0, {45, 45, 45, 45, 45}, 130, 435, {180, 420, 660}, 715}},
        // h = 2 and h = 6: quarters of .5 round to the even neighbour.
        LayoutCase{"QuartersRoundHalfToEven2", 10590, 1717, kWidthAt10590,
                   HeightPart{2, {45, 45, 46, 47, 47}, 132, 437, {182, 422, 662}, 717}},
        LayoutCase{"QuartersRoundHalfToEven6", 10590, 1721, kWidthAt10590,
                   HeightPart{6, {45, 47, 48, 49, 51}, 136, 441, {186, 426, 666}, 721}},
        // Too low for any graph: an empty graph, and the row right under it.
        LayoutCase{"NegativeHeightIsClamped", 10590, 1000, kWidthAt10590,
                   HeightPart{0, {45, 45, 45, 45, 45}, 130, 435, {180, 420, 660}, 715}},
        // Beyond 16 bits: h, 2h and 3h all exceed 32767 twips.
        LayoutCase{
            "TallerThan16Bits", 10590, 100000, kWidthAt10590,
            HeightPart{98285, {45, 24616, 49187, 73759, 98330}, 98415, 98720, {98465, 98705, 98945}, 99000}}),
    [](const auto& info) { return info.param.name; });

TEST(ResizeRule, ASkippedPartKeepsTheLastLayout) {
    const FormGeometry wide = layoutForm(designFormGeometry(), 20000, 6000);
    const FormGeometry narrow = layoutForm(wide, 900, 400);
    EXPECT_EQ(narrow, wide);
}

TEST(ResizeRule, ReadsTheCurrentSizesOfTheControlsBelowTheGraph) {
    FormGeometry current = designFormGeometry();
    current.chkStart[0].height = 300; // 45 taller than designed
    const FormGeometry g = layoutForm(current, 10590, 3765);
    EXPECT_EQ(g.picView.height, 2005);
    EXPECT_EQ(g.chkReDraw.top, 300 + 2135 + 50);
}

TEST(TwipConversion, RoundsToTheNearestUnitAtTheLogicalDpi) {
    struct Case {
        Twips twips;
        double dpi;
        int pixels;
    };
    const Case cases[] = {
        {15, 96, 1},
        {255, 96, 17},
        {2050, 96, 137},
        {10470, 96, 698},
        {3075, 96, 205},
        {10470, 120, 873},
        {1440, 144, 144},
        {7, 96, 0},
        {8, 96, 1},
        {-925, 96, -62},
        {30, 0, 2}, // no dpi known: 96 is assumed
        {Twips{1} << 40, 96, 16777215},
        {-(Twips{1} << 40), 96, -16777215},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pixelsFromTwips(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;

    const std::tuple<int, double, Twips> back[] = {{698, 96, 10470}, {205, 96, 3075}, {873, 120, 10476},
                                                   {1, 96, 15},      {0, 96, 0},      {-4, 96, -60}};
    for (const auto& [pixels, dpi, twips] : back)
        EXPECT_EQ(twipsFromPixels(pixels, dpi), twips) << pixels << " px at " << dpi;
}

} // namespace
