#pragma once
// Reading pictures back: pixels in the core's colours, what was drawn.

#include "chart/DrawingSurface.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <ostream>

Colour colourAt(const QImage& image, int x, int y);
// The smallest rectangle holding every pixel that is not `background`.
QRect drawnBounds(const QImage& image, Colour background = kBlack);
// The smallest rectangle holding every pixel of exactly `colour`.
QRect colourBounds(const QImage& image, Colour colour);
// The number of pixels of exactly that colour.
int pixelsOfColour(const QImage& image, const QColor& colour);
// Readable rectangles in test failures.
void PrintTo(const QRect& rect, std::ostream* out);
