#include "models/MainWindowLayout.h"

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
Twips heightBelowGraph(const MainWindowGeometry& g) {
    return g.runButtons[0].height + 300 + g.valueLabels[1].height + g.valueLabels[0].height +
           g.statusLabel.height + 500;
}

// The width the rule keeps beside the graph.
Twips widthBesideGraph(const MainWindowGeometry& g) {
    return g.scaleLabels[0].width + 100;
}

void layoutWidth(MainWindowGeometry& g, Twips w) {
    g.graphView.width = w - widthBesideGraph(g);
    g.valueLabels[0].left = g.graphView.width + g.graphView.left - g.valueLabels[0].width - 50;
    g.valueLabels[1].left = g.valueLabels[0].left;
    g.valueLabels[2].left = g.valueLabels[0].left;
    g.statusLabel.width = w - 10;
    g.nowMarkerLabel.left = w - (g.nowMarkerLabel.width + 100);
}

void layoutHeight(MainWindowGeometry& g, Twips h) {
    const Twips below = heightBelowGraph(g);
    // A window too low for the graph gets an empty one instead of a negative height.
    g.graphView.height = std::max<Twips>(0, h - below);

    const Twips graph = g.graphView.height;
    g.scaleLabels[0].top = 45;
    g.scaleLabels[1].top = quarterHalfEven(graph) + 45;
    g.scaleLabels[2].top = quarterHalfEven(2 * graph) + 45;
    g.scaleLabels[3].top = quarterHalfEven(3 * graph) + 45;
    g.scaleLabels[4].top = graph + 45;

    const Twips row = g.graphView.height + g.graphView.top + 10;
    g.runButtons[0].top = row;
    for (TwipRect* control : {&g.runButtons[1], &g.runButtons[2], &g.columnEdit, &g.compositeCheck,
                              &g.seriesColourCombo, &g.columnScrollBar, &g.settingsButton, &g.resetButton})
        control->top = row;

    g.pageModeCheck.top = g.runButtons[0].height + g.runButtons[0].top + 50;
    g.pageScrollBar.top = g.pageModeCheck.top;
    g.pagePositionLabel.top = g.pageModeCheck.top;
    g.pointsPerViewLabel.top = g.pageModeCheck.top;

    g.valueLabels[0].top = g.runButtons[0].top + 50;
    g.valueLabels[1].top = g.valueLabels[0].height + g.valueLabels[0].top;
    g.valueLabels[2].top = g.valueLabels[1].height + g.valueLabels[1].top;
    g.statusLabel.top = g.pageModeCheck.height + g.pageModeCheck.top + 100;
}

} // namespace

MainWindowGeometry designGeometry() {
    MainWindowGeometry g;
    g.seriesColourCombo = {3000, 2280, 615, 285};
    g.compositeCheck = {2280, 2280, 735, 255};
    g.testButton = {6120, 2760, 495, 255};
    g.resetButton = {6240, 2280, 735, 255};
    g.pageScrollBar = {2280, 2560, 1935, 220};
    g.pageModeCheck = {240, 2640, 2055, 180};
    g.columnScrollBar = {1920, 2280, 300, 255};
    g.columnEdit = {1440, 2280, 495, 270};
    g.runButtons[2] = {5400, 2280, 735, 255};
    g.runButtons[1] = {4560, 2280, 855, 255};
    g.runButtons[0] = {3720, 2280, 855, 255};
    g.settingsButton = {840, 2300, 615, 255};
    g.graphView = {840, 120, 8655, 2175};
    g.replayErrorLabel = {240, 0, 8055, 615};
    g.nowMarkerLabel = {8880, 0, 615, 135};
    g.pointsPerViewLabel = {5400, 2520, 90, 165};
    g.pagePositionLabel = {4320, 2520, 855, 255};
    g.statusLabel = {0, 2880, 9660, 180};
    g.valueLabels[0] = {7320, 2280, 3000, 240};
    g.valueLabels[1] = {7320, 2520, 3000, 240};
    g.valueLabels[2] = {7320, 2760, 3000, 240};
    const Twips scaleTops[] = {45, 600, 1140, 1680, 2160};
    for (std::size_t i = 0; i < g.scaleLabels.size(); ++i)
        g.scaleLabels[i] = {0, scaleTops[i], 855, 375};
    return g;
}

MainWindowGeometry layoutMainWindow(MainWindowGeometry current, Twips outerWidth, Twips outerHeight) {
    const Twips w = std::clamp<Twips>(outerWidth, 0, kMaxOuterTwips);
    const Twips h = std::clamp<Twips>(outerHeight, 0, kMaxOuterTwips);
    if (w > 1000)
        layoutWidth(current, w);
    if (h > 500)
        layoutHeight(current, h);
    return current;
}

std::pair<Twips, Twips> outerSizeForGraph(Twips graphWidth, Twips graphHeight) {
    const MainWindowGeometry design = designGeometry();
    const Twips width = std::clamp<Twips>(graphWidth, 0, kMaxOuterTwips / 2);
    const Twips height = std::clamp<Twips>(graphHeight, 0, kMaxOuterTwips / 2);
    return {width + widthBesideGraph(design), height + heightBelowGraph(design)};
}

MainWindowGeometry layoutForGraph(Twips graphWidth, Twips graphHeight) {
    MainWindowGeometry g = designGeometry();
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
