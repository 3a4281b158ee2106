#pragma once
// The main window's design geometry and the rule that re-places its controls
// whenever the window's size changes. All lengths are twips (1440 per inch),
// measured from the top-left corner of the window's client area.

#include <array>
#include <cstdint>
#include <utility>

using Twips = std::int64_t;

struct TwipRect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;

    bool operator==(const TwipRect&) const = default;
};

// A rectangle in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const PixelRect&) const = default;
};

// Where each control of the main window is.
struct MainWindowGeometry {
    TwipRect seriesColourCombo;
    TwipRect compositeCheck;
    TwipRect testButton;
    TwipRect resetButton;
    TwipRect pageScrollBar;
    TwipRect pageModeCheck;
    TwipRect columnScrollBar;
    TwipRect columnEdit;
    std::array<TwipRect, 3> runButtons;
    TwipRect settingsButton;
    TwipRect graphView;
    TwipRect replayErrorLabel;
    TwipRect nowMarkerLabel;
    TwipRect pointsPerViewLabel;
    TwipRect pagePositionLabel;
    TwipRect statusLabel;
    std::array<TwipRect, 3> valueLabels;
    std::array<TwipRect, 5> scaleLabels;

    bool operator==(const MainWindowGeometry&) const = default;
};

inline constexpr Twips kDesignClientWidth = 10470;
inline constexpr Twips kDesignClientHeight = 3075;

// The rule works on the window's outer size, which on the design's frame is
// the client area plus these borders, caption bar and menu bar. The real
// frame is the window manager's and is often unknown while resizing, so the
// window adds these fixed amounts to its client size: the controls then sit
// where the design puts them relative to the client area, whatever frame is
// drawn around it.
inline constexpr Twips kDesignFrameWidth = 120;
inline constexpr Twips kDesignFrameHeight = 690;

// The controls at their design positions and sizes.
MainWindowGeometry designGeometry();

// Re-places the controls for a window of the given outer size, starting from
// their current geometry:
// - only when outerWidth > 1000: the graph's width follows the window, the
//   value labels its right edge, nowMarkerLabel the window's right edge, and
//   statusLabel spans the window;
// - only when outerHeight > 500: the graph's height follows the window (never
//   below 0), the scale labels spread over it, and the row of controls, the
//   value labels and the status line move with its bottom edge.
// No Left of the bottom row and no Top of the graph ever changes. Outer sizes
// are taken within 0 .. 2^31 - 1 twips, so no sum of the rule can overflow.
MainWindowGeometry layoutMainWindow(MainWindowGeometry current, Twips outerWidth, Twips outerHeight);

// The controls of a window sized so that the graph (graphView) is exactly
// graphWidth x graphHeight: the rule's placement for that window, also where
// the rule's own size thresholds would leave the design's graph in place.
MainWindowGeometry layoutForGraph(Twips graphWidth, Twips graphHeight);
// The window's outer size that the rule gives such a graph.
std::pair<Twips, Twips> outerSizeForGraph(Twips graphWidth, Twips graphHeight);

// Twips to the nearest pixel at `dotsPerInch` (the screen's logical dpi),
// kept within the toolkit's widget size limit of 2^24 - 1 pixels.
int pixelsFromTwips(Twips twips, double dotsPerInch);

// Pixels to the nearest twip at `dotsPerInch`.
Twips twipsFromPixels(int pixels, double dotsPerInch);
