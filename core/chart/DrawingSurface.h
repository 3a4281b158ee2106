#pragma once
// The drawing surface the chart is drawn on, as the core sees it. The window
// program realises it with a raster image; tests record the calls.
//
// Coordinates are in the surface's current scale: a user scale set through
// setScaleWidth/setScaleHeight (origin top-left, y down), or twips or
// millimetres of the surface's own size.

#include "base/Colour.h"
#include "base/Result.h"

#include <string>
#include <string_view>

enum class ScaleMode { User, Twips, Millimetres };

// Svg: a vector picture, which only a surface that keeps its drawing as
// shapes can write.
enum class ImageFormat { Bmp, Png, Svg };

// The file name extension of a picture in that format, with its dot.
inline const char* pictureExtension(ImageFormat format) {
    return format == ImageFormat::Png ? ".png" : format == ImageFormat::Svg ? ".svg" : ".bmp";
}

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Units across / down; switches to the user scale, keeping the other axis's units.
    virtual void setScaleWidth(double width) = 0;
    virtual void setScaleHeight(double height) = 0;
    virtual double scaleHeight() const = 0;
    virtual void setScaleMode(ScaleMode mode) = 0;

    // Erases everything drawn; a background picture stays.
    virtual void clear() = 0;
    virtual void setDrawWidth(int width) = 0;
    virtual void setDrawStyleSolid() = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, Colour colour) = 0;

    // Text at the current position; CR LF starts a new line at the same x. The
    // current position moves below the text.
    virtual void setCurrentPosition(double x, double y) = 0;
    virtual void printText(std::string_view utf8, Colour colour, double pointSize) = 0;

    // Drawing stays in the surface's image, survives repaints and can be saved.
    virtual void setPersistent(bool persistent) = 0;
    // Saves the image as the file `path`.
    virtual Result<> saveImage(const std::string& path, ImageFormat format) = 0;

    // Around a full redraw, so that only finished pictures are seen.
    virtual void hideAndDisable() = 0;
    virtual void showAndEnable() = 0;

    // Pixel columns of the image, so that drawing can reduce a series that has
    // more points than columns; 0 when unknown (draw every segment).
    virtual int pixelWidth() const = 0;
};
