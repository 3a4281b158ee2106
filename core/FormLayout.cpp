#include "core/FormLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr Twips kTwipsPerInch = 1440;
constexpr Twips kMaxOuterTwips = std::numeric_limits<std::int32_t>::max();
constexpr double kMaxPixels = 16777215; // QWIDGETSIZE_MAX
constexpr double kFallbackDpi = 96;

// numerator / 4 rounded half to even, for numerator >= 0.
Twips quarterHalfEven(Twips numerator) {
    Twips quotient = numerator / 4;
    const Twips remainder = numerator % 4;
    if (remainder > 2 || (remainder == 2 && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

double validDpi(double dotsPerInch) {
    return dotsPerInch > 0 && std::isfinite(dotsPerInch) ? dotsPerInch : kFallbackDpi;
}

// The height the rule keeps below the graph.
Twips heightBelowGraph(const FormGeometry& g) {
    return g.chkStart[0].height + 300 + g.lblNowValVal[1].height + g.lblNowValVal[0].height +
           g.lblInfo.height + 500;
}

// The width the rule keeps beside the graph.
Twips widthBesideGraph(const FormGeometry& g) {
    return g.lblViewMem[0].width + 100;
}

void layoutWidth(FormGeometry& g, Twips w) {
    g.picView.width = w - widthBesideGraph(g);
    g.lblNowValVal[0].left = g.picView.width + g.picView.left - g.lblNowValVal[0].width - 50;
    g.lblNowValVal[1].left = g.lblNowValVal[0].left;
    g.lblNowValVal[2].left = g.lblNowValVal[0].left;
    g.lblInfo.width = w - 10;
    g.lblTopInfo.left = w - (g.lblTopInfo.width + 100);
}

void layoutHeight(FormGeometry& g, Twips h) {
    const Twips below = heightBelowGraph(g);
    // A window too low for the graph gets an empty one instead of a negative height.
    g.picView.height = std::max<Twips>(0, h - below);

    const Twips graph = g.picView.height;
    g.lblViewMem[0].top = 45;
    g.lblViewMem[1].top = quarterHalfEven(graph) + 45;
    g.lblViewMem[2].top = quarterHalfEven(2 * graph) + 45;
    g.lblViewMem[3].top = quarterHalfEven(3 * graph) + 45;
    g.lblViewMem[4].top = graph + 45;

    const Twips row = g.picView.height + g.picView.top + 10;
    g.chkStart[0].top = row;
    for (TwipRect* control : {&g.chkStart[1], &g.chkStart[2], &g.txtWatch, &g.chkMultView, &g.cmbColor,
                              &g.scrV, &g.cmdGrp, &g.cmdInit})
        control->top = row;

    g.chkReDraw.top = g.chkStart[0].height + g.chkStart[0].top + 50;
    g.scrH.top = g.chkReDraw.top;
    g.lblScrH.top = g.chkReDraw.top;
    g.lblHeadInfo.top = g.chkReDraw.top;

    g.lblNowValVal[0].top = g.chkStart[0].top + 50;
    g.lblNowValVal[1].top = g.lblNowValVal[0].height + g.lblNowValVal[0].top;
    g.lblNowValVal[2].top = g.lblNowValVal[1].height + g.lblNowValVal[1].top;
    g.lblInfo.top = g.chkReDraw.height + g.chkReDraw.top + 100;
}

} // namespace

FormGeometry designFormGeometry() {
    FormGeometry g;
    g.cmbColor = {3000, 2280, 615, 285};
    g.chkMultView = {2280, 2280, 735, 255};
    g.Command1 = {6120, 2760, 495, 255};
    g.cmdInit = {6240, 2280, 735, 255};
    g.scrH = {2280, 2560, 1935, 220};
    g.chkReDraw = {240, 2640, 2055, 180};
    g.scrV = {1920, 2280, 300, 255};
    g.txtWatch = {1440, 2280, 495, 270};
    g.chkStart[2] = {5400, 2280, 735, 255};
    g.chkStart[1] = {4560, 2280, 855, 255};
    g.chkStart[0] = {3720, 2280, 855, 255};
    g.cmdGrp = {840, 2300, 615, 255};
    g.picView = {840, 120, 8655, 2175};
    g.lblErrInfo = {240, 0, 8055, 615};
    g.lblTopInfo = {8880, 0, 615, 135};
    g.lblHeadInfo = {5400, 2520, 90, 165};
    g.lblScrH = {4320, 2520, 855, 255};
    g.lblInfo = {0, 2880, 9660, 180};
    g.lblNowValVal[0] = {7320, 2280, 3000, 240};
    g.lblNowValVal[1] = {7320, 2520, 3000, 240};
    g.lblNowValVal[2] = {7320, 2760, 3000, 240};
    const Twips scaleTops[] = {45, 600, 1140, 1680, 2160};
    for (std::size_t i = 0; i < g.lblViewMem.size(); ++i)
        g.lblViewMem[i] = {0, scaleTops[i], 855, 375};
    return g;
}

FormGeometry layoutForm(FormGeometry current, Twips outerWidth, Twips outerHeight) {
    const Twips w = std::clamp<Twips>(outerWidth, 0, kMaxOuterTwips);
    const Twips h = std::clamp<Twips>(outerHeight, 0, kMaxOuterTwips);
    if (w > 1000)
        layoutWidth(current, w);
    if (h > 500)
        layoutHeight(current, h);
    return current;
}

std::pair<Twips, Twips> outerSizeForGraph(Twips graphWidth, Twips graphHeight) {
    const FormGeometry design = designFormGeometry();
    const Twips width = std::clamp<Twips>(graphWidth, 0, kMaxOuterTwips / 2);
    const Twips height = std::clamp<Twips>(graphHeight, 0, kMaxOuterTwips / 2);
    return {width + widthBesideGraph(design), height + heightBelowGraph(design)};
}

FormGeometry layoutForGraph(Twips graphWidth, Twips graphHeight) {
    FormGeometry g = designFormGeometry();
    const auto [outerWidth, outerHeight] = outerSizeForGraph(graphWidth, graphHeight);
    layoutWidth(g, outerWidth);
    layoutHeight(g, outerHeight);
    return g;
}

int pixelsFromTwips(Twips twips, double dotsPerInch) {
    const double pixels = std::round(static_cast<double>(twips) * validDpi(dotsPerInch) / kTwipsPerInch);
    return static_cast<int>(std::clamp(pixels, -kMaxPixels, kMaxPixels));
}

Twips twipsFromPixels(int pixels, double dotsPerInch) {
    return std::llround(static_cast<double>(pixels) * kTwipsPerInch / validDpi(dotsPerInch));
}
