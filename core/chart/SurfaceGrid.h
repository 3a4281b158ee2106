#pragma once
// Where a drawing surface's units land on its pixels: the user scale (origin
// top-left, y down), or twips or millimetres of the pixels at the surface's
// dots per inch; the pen's width; the current position. The raster and the
// vector surface share it, so both put every shape on the same pixels.

#include "chart/DrawingSurface.h"

#include <optional>

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

class SurfaceGrid {
public:
    // width x height logical pixels (at least 1 x 1) at `logicalDpi`; a
    // `devicePixelRatio` r makes every length r times as many pixels. The
    // scale starts in twips.
    SurfaceGrid(int width, int height, double logicalDpi, double devicePixelRatio);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // Dots per inch of the pixels: the logical dpi times the ratio.
    double dotsPerInch() const { return m_dpi; }
    // A length in logical pixels as pixels of the surface, at least 1.
    int devicePixels(int logical) const;
    // A new size in logical pixels; the scale keeps its numbers of units in
    // user mode and measures the new size otherwise.
    void resize(int width, int height);
    // The same in pixels of the surface.
    void resizePixels(int width, int height);

    // A width or height of zero or not a number is ignored.
    void setScaleWidth(double width);
    void setScaleHeight(double height);
    double scaleWidth() const;
    double scaleHeight() const;
    void setScaleMode(ScaleMode mode);
    ScaleMode scaleMode() const { return m_scaleMode; }

    void setDrawWidth(int width);
    int penPixels() const;

    // The pixels a line between two points of the current scale runs
    // between, clipped in units to the picture and a margin wider than the
    // pen, so that any finite coordinate, however far, is drawn as far as it
    // shows; nothing when no part of it can show or a coordinate is not finite.
    std::optional<std::pair<PixelPoint, PixelPoint>> pixelLine(double x1, double y1, double x2,
                                                               double y2) const;

    // The current position, in units of the scale when set and read, kept
    // as a place on the pixels so that a change of scale does not move it.
    void setCurrentPosition(double x, double y);
    double currentX() const;
    double currentY() const;
    double positionX() const { return m_positionX; } // in pixels
    double positionY() const { return m_positionY; }
    void setPixelPosition(double x, double y) {
        m_positionX = x;
        m_positionY = y;
    }
    // Moves the current position down by `pixels`, as text written there does.
    void moveDown(double pixels) { m_positionY += pixels; }

private:
    double unitsPerPixel() const;
    double pixelsPerUnitX() const { return m_width / scaleWidth(); }
    double pixelsPerUnitY() const { return m_height / scaleHeight(); }

    double m_ratio;
    double m_dpi;
    int m_width = 1;
    int m_height = 1;
    ScaleMode m_scaleMode = ScaleMode::Twips;
    double m_userWidth = 1;
    double m_userHeight = 1;
    int m_drawWidth = 1;
    double m_positionX = 0;
    double m_positionY = 0;
};
