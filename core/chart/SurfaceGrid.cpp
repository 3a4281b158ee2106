#include "chart/SurfaceGrid.h"

#include "chart/LineClipping.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMillimetresPerInch = 25.4;

// A pixel coordinate already clipped near the picture, as an integer.
int toPixel(double value, double limit) {
    return static_cast<int>(std::floor(std::clamp(value, -limit, limit)));
}

} // namespace

SurfaceGrid::SurfaceGrid(int width, int height, double logicalDpi, double devicePixelRatio)
    : m_ratio(std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0),
      m_dpi((std::isfinite(logicalDpi) && logicalDpi > 0 ? logicalDpi : 96.0) * m_ratio) {
    resize(width, height);
}

int SurfaceGrid::devicePixels(int logical) const {
    return std::max(1, m_ratio == 1.0 ? logical : static_cast<int>(std::lround(logical * m_ratio)));
}

void SurfaceGrid::resize(int width, int height) {
    resizePixels(devicePixels(width), devicePixels(height));
}

void SurfaceGrid::resizePixels(int width, int height) {
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
}

double SurfaceGrid::unitsPerPixel() const {
    return (m_scaleMode == ScaleMode::Millimetres ? kMillimetresPerInch : kTwipsPerInch) / m_dpi;
}

double SurfaceGrid::scaleWidth() const {
    return m_scaleMode == ScaleMode::User ? m_userWidth : m_width * unitsPerPixel();
}

double SurfaceGrid::scaleHeight() const {
    return m_scaleMode == ScaleMode::User ? m_userHeight : m_height * unitsPerPixel();
}

void SurfaceGrid::setScaleWidth(double width) {
    if (!std::isfinite(width) || width == 0)
        return;
    m_userHeight = scaleHeight();
    m_userWidth = width;
    m_scaleMode = ScaleMode::User;
}

void SurfaceGrid::setScaleHeight(double height) {
    if (!std::isfinite(height) || height == 0)
        return;
    m_userWidth = scaleWidth();
    m_userHeight = height;
    m_scaleMode = ScaleMode::User;
}

void SurfaceGrid::setScaleMode(ScaleMode mode) {
    if (mode == ScaleMode::User) {
        m_userWidth = scaleWidth();
        m_userHeight = scaleHeight();
    }
    m_scaleMode = mode;
}

void SurfaceGrid::setDrawWidth(int width) {
    m_drawWidth = std::clamp(width, 1, 1000);
}

int SurfaceGrid::penPixels() const {
    return devicePixels(m_drawWidth);
}

std::optional<std::pair<PixelPoint, PixelPoint>> SurfaceGrid::pixelLine(double x1, double y1, double x2,
                                                                        double y2) const {
    const double perUnitX = pixelsPerUnitX();
    const double perUnitY = pixelsPerUnitY();
    if (!std::isfinite(perUnitX) || !std::isfinite(perUnitY) || perUnitX == 0 || perUnitY == 0)
        return std::nullopt;
    // Clipped in units, where every finite coordinate is representable.
    const double margin = 2.0 + penPixels();
    const double left = -margin / perUnitX;
    const double right = (m_width + margin) / perUnitX;
    const double top = -margin / perUnitY;
    const double bottom = (m_height + margin) / perUnitY;
    Segment segment{x1, y1, x2, y2};
    const ClipRect clip{std::min(left, right), std::min(top, bottom), std::max(left, right),
                        std::max(top, bottom)};
    if (!clipSegment(segment, clip))
        return std::nullopt;
    const double limitX = m_width + 2 * margin;
    const double limitY = m_height + 2 * margin;
    return std::pair{
        PixelPoint{toPixel(segment.x1 * perUnitX, limitX), toPixel(segment.y1 * perUnitY, limitY)},
        PixelPoint{toPixel(segment.x2 * perUnitX, limitX), toPixel(segment.y2 * perUnitY, limitY)}};
}

void SurfaceGrid::setCurrentPosition(double x, double y) {
    m_positionX = x * pixelsPerUnitX();
    m_positionY = y * pixelsPerUnitY();
}

double SurfaceGrid::currentX() const {
    return m_positionX / pixelsPerUnitX();
}

double SurfaceGrid::currentY() const {
    return m_positionY / pixelsPerUnitY();
}
