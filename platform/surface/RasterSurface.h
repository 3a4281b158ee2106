#pragma once
// The chart's drawing surface as a raster image. Everything drawn stays in a
// persistent image of the surface's pixel size, which a widget shows and which
// can be saved or copied; nothing is re-plotted on a repaint.

#include "chart/DrawingSurface.h"
#include "chart/SurfaceGrid.h"

#include <QImage>

struct RotatedFont;

#include <functional>
#include <memory>

class QPainter;

class RasterSurface : public DrawingSurface {
public:
    // An image of width x height pixels (at least 1 x 1) in the back colour,
    // black. Point sizes and twips are measured at `logicalDpi` dots per inch.
    // The scale starts in twips. A `devicePixelRatio` r draws the same
    // picture with r times the pixels per unit, as a screen of that ratio
    // would: the image is r times as wide and high, lines r times as thick.
    explicit RasterSurface(int width, int height, double logicalDpi = 96.0, double devicePixelRatio = 1.0);
    ~RasterSurface() override;
    RasterSurface(const RasterSurface&) = delete;
    RasterSurface& operator=(const RasterSurface&) = delete;

    // User x maps to pixel column floor(x * width / scaleWidth), y likewise to
    // a row, so the far edges fall just outside the image. A width or height
    // of zero or not a number is ignored.
    void setScaleWidth(double width) override { m_grid.setScaleWidth(width); }
    void setScaleHeight(double height) override { m_grid.setScaleHeight(height); }
    double scaleWidth() const { return m_grid.scaleWidth(); }
    double scaleHeight() const override { return m_grid.scaleHeight(); }
    // Twips and millimetres measure the image itself; User keeps the current
    // numbers of units.
    void setScaleMode(ScaleMode mode) override { m_grid.setScaleMode(mode); }
    ScaleMode scaleMode() const { return m_grid.scaleMode(); }

    // Fills the image with the back colour, puts the background picture at the
    // top-left at its own size, and moves the current position to (0, 0).
    void clear() override;
    void setDrawWidth(int width) override;
    void setDrawStyleSolid() override;
    // Solid, aliased, in the current draw width. Only the part of the line
    // inside the image is drawn, whatever the size of its coordinates; a line
    // with a coordinate that is not a finite number draws nothing.
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;

    // In the current scale's units; kept as a place on the image, so a change
    // of scale does not move it.
    void setCurrentPosition(double x, double y) override { m_grid.setCurrentPosition(x, y); }
    double currentX() const { return m_grid.currentX(); }
    double currentY() const { return m_grid.currentY(); }
    // The text's top-left at the current position; each line starts at the
    // same x, and the current position moves to that x below the last line.
    // Needs a QGuiApplication for fonts; without one only the position moves.
    void printText(std::string_view utf8, Colour colour, double pointSize) override;

    // --- text in a font of the caller's (RotatedText.cpp) ---
    // Writes `utf8` from the current position in the fore colour and `font`,
    // each line's top-left corner at the position, turned counter-clockwise
    // about it by the font's escapement; further lines follow across the
    // turned line. The current position then moves below by as many lines of
    // that font, at the same x. The surface's own font, scale and pen are
    // left as they were.
    void printRotatedText(std::string_view utf8, const RotatedFont& font);
    void setForeColour(Colour colour) { m_foreColour = colour; }
    Colour foreColour() const { return m_foreColour; }

    // The image always holds what was drawn.
    void setPersistent(bool) override {}
    Result<> saveImage(const std::string& path, ImageFormat format) override;

    // While hidden, a redraw is in progress and the changed callback waits;
    // showing calls it once the picture is finished.
    void hideAndDisable() override { m_hidden = true; }
    void showAndEnable() override;
    bool isHidden() const { return m_hidden; }
    // Called after drawing that changed the image while shown, and when the
    // surface is shown again: a widget schedules its repaint here.
    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }

    int pixelWidth() const override { return m_image.width(); }
    double logicalDpi() const { return m_grid.dotsPerInch() / m_ratio; }
    double devicePixelRatio() const { return m_ratio; }

    // The new size (in pixels before the device pixel ratio) keeps the drawn pixels where they are, neither
    // stretched nor erased; new area is in the back colour until the next clear. The current image stays when
    // memory for the new one cannot be had.
    bool resize(int width, int height);

    // Takes effect at the next clear or resize.
    void setBackColour(Colour colour) { m_backColour = colour; }
    Colour backColour() const { return m_backColour; }
    // Kept beneath the drawing through every clear until removed.
    void setBackgroundPicture(const QImage& picture) { m_background = picture; }
    void clearBackgroundPicture() { m_background = QImage(); }
    const QImage& backgroundPicture() const { return m_background; }
    // Sets the background picture and shows it at once beneath what was
    // drawn: every pixel that still shows what a clear left there takes the
    // new picture's pixel, every other pixel stays. False when memory for
    // that cannot be had: the picture then shows from the next clear.
    bool replaceBackgroundPicture(const QImage& picture);

    // The finished image: drawing so far is complete in it.
    const QImage& image() const;

private:
    QPainter& painter();
    // What a clear leaves: the back colour with `background` at the top-left.
    QImage clearedImage(const QImage& background) const;
    void finishPainting() const;
    void notifyChanged();

    QImage m_image;
    double m_ratio;
    SurfaceGrid m_grid; // the image's pixels: width and height always the image's
    Colour m_backColour = kBlack;
    Colour m_foreColour = kWhite;
    QImage m_background;
    bool m_hidden = false;
    std::function<void()> m_changed;

    // One painter across calls, since beginning one costs more than a line;
    // ended whenever the image is looked at or replaced.
    mutable std::unique_ptr<QPainter> m_painter;
    Colour m_penColour = 0;
    int m_penWidth = 0; // 0: the painter has no pen of ours yet
};
