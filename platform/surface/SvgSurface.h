#pragma once
// The chart's drawing surface as shapes, saved as an SVG picture: the second
// realisation of the surface beside the raster image. It keeps what was drawn
// since the last clear as lines and texts, placed on the same pixel grid as
// the raster surface of that size places them, and paints them on demand.

#include "chart/DrawingSurface.h"
#include "chart/SurfaceGrid.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

#include <functional>
#include <variant>
#include <vector>

class QPainter;

class SvgSurface : public DrawingSurface {
public:
    // A picture of width x height pixels (at least 1 x 1) on black; as the
    // raster surface, point sizes and twips at `logicalDpi`, and a
    // `devicePixelRatio` r making every length r times as many pixels.
    explicit SvgSurface(int width, int height, double logicalDpi = 96.0, double devicePixelRatio = 1.0);

    void setScaleWidth(double width) override { m_grid.setScaleWidth(width); }
    void setScaleHeight(double height) override { m_grid.setScaleHeight(height); }
    double scaleHeight() const override { return m_grid.scaleHeight(); }
    void setScaleMode(ScaleMode mode) override { m_grid.setScaleMode(mode); }

    void clear() override;
    void setDrawWidth(int width) override { m_grid.setDrawWidth(width); }
    void setDrawStyleSolid() override {}
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override;

    void setCurrentPosition(double x, double y) override { m_grid.setCurrentPosition(x, y); }
    void printText(std::string_view utf8, Colour colour, double pointSize) override;

    void setPersistent(bool) override {}
    // SVG only: the shapes are not rasterised here.
    Result<> saveImage(const std::string& path, ImageFormat format) override;

    void hideAndDisable() override {}
    void showAndEnable() override {}
    int pixelWidth() const override { return m_grid.width(); }
    int pixelHeight() const { return m_grid.height(); }
    // The dots per inch the picture's texts are measured at.
    double dotsPerInch() const { return m_grid.dotsPerInch(); }

    // Paints the background and every shape, in pixels from the picture's
    // top-left; consecutive lines of one pen that join become one polyline.
    void paint(QPainter& painter) const;

private:
    struct Line {
        PixelPoint from, to;
        QColor colour;
        int width;
    };
    struct Text {
        QPointF baseline;
        QString text;
        QColor colour;
        double pointSize;
    };

    SurfaceGrid m_grid;
    std::vector<std::variant<Line, Text>> m_shapes;
};

// Writes an SVG picture of width x height pixels (texts measured at
// `dotsPerInch`) painted by `paint`, through the safe write: the file is the
// old one or the whole new one.
Result<> writeSvgFile(const std::string& path, int width, int height, double dotsPerInch,
                      const std::function<void(QPainter&)>& paint);

// The bytes writeSvgFile writes.
Result<std::string> encodeSvgPicture(int width, int height, double dotsPerInch,
                                     const std::function<void(QPainter&)>& paint);
