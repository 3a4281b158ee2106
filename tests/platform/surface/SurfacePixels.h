#pragma once
// Reading a surface's pixels back in the core's colours.

#include "core/DrawingSurface.h"

#include <QImage>
#include <QRect>

#include <ostream>

Colour colourAt(const QImage& image, int x, int y);
// The smallest rectangle holding every pixel that is not `background`.
QRect drawnBounds(const QImage& image, Colour background = kBlack);
// Readable rectangles in test failures.
void PrintTo(const QRect& rect, std::ostream* out);
