#pragma once
// Text in a font of the caller's choosing, at an angle, on the raster
// surface: the font as a font-creating call describes it.

#include <cstdint>
#include <string>

// The height a font is asked for: negative for an em height in pixels,
// positive for a cell height (ascent + descent), 0 for the default size.
// From a size in points: points × 20 twips, divided by the screen's twips
// per pixel rounded to an integer (15 at 96 dpi), truncated toward zero and
// negated, so 14 points at 96 dpi give −18. Computed in 64 bits: no size
// overflows.
std::int64_t fontHeightForPoints(std::int64_t points, double logicalDpi);

struct RotatedFont {
    std::int64_t height = 0; // as fontHeightForPoints gives it
    // The face; a leading "@" writes vertically: the characters stand upright
    // one under another when the line runs downwards (2700).
    std::string face;
    int escapement = 0; // the line's angle in tenths of a degree, counter-clockwise
    bool bold = false;
};
