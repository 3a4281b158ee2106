#include "platform/surface/RasterSurface.h"

#include "core/LineClipping.h"
#include "platform/surface/ImageFile.h"
#include "platform/surface/SurfaceText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kMetresPerInch = 0.0254;

QColor toQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                  static_cast<int>((colour >> 16) & 0xFF));
}

QImage blankImage(int width, int height, double dpi, Colour back) {
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    // Fonts on the image take their point sizes at this resolution.
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / kMetresPerInch));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(toQColor(back));
    return image;
}

// A pixel coordinate already clipped near the image, as the painter's integer.
int toPixel(double value, double limit) {
    return static_cast<int>(std::floor(std::clamp(value, -limit, limit)));
}

// A length in logical pixels as pixels of the image.
int devicePixels(int logical, double ratio) {
    return ratio == 1.0 ? logical : static_cast<int>(std::lround(logical * ratio));
}

} // namespace

RasterSurface::RasterSurface(int width, int height, double logicalDpi, double devicePixelRatio)
    : m_ratio(std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0),
      m_dpi((std::isfinite(logicalDpi) && logicalDpi > 0 ? logicalDpi : 96.0) * m_ratio) {
    m_image = blankImage(devicePixels(width, m_ratio), devicePixels(height, m_ratio), m_dpi, m_backColour);
    if (m_image.isNull())
        m_image = blankImage(1, 1, m_dpi, m_backColour);
}

RasterSurface::~RasterSurface() = default;

double RasterSurface::unitsPerPixel() const {
    return (m_scaleMode == ScaleMode::Millimetres ? kMillimetresPerInch : kTwipsPerInch) / m_dpi;
}

int RasterSurface::penPixels() const {
    return std::max(1, devicePixels(m_drawWidth, m_ratio));
}

double RasterSurface::scaleWidth() const {
    return m_scaleMode == ScaleMode::User ? m_userWidth : m_image.width() * unitsPerPixel();
}

double RasterSurface::scaleHeight() const {
    return m_scaleMode == ScaleMode::User ? m_userHeight : m_image.height() * unitsPerPixel();
}

void RasterSurface::setScaleWidth(double width) {
    if (!std::isfinite(width) || width == 0)
        return;
    m_userHeight = scaleHeight();
    m_userWidth = width;
    m_scaleMode = ScaleMode::User;
}

void RasterSurface::setScaleHeight(double height) {
    if (!std::isfinite(height) || height == 0)
        return;
    m_userWidth = scaleWidth();
    m_userHeight = height;
    m_scaleMode = ScaleMode::User;
}

void RasterSurface::setScaleMode(ScaleMode mode) {
    if (mode == ScaleMode::User) {
        m_userWidth = scaleWidth();
        m_userHeight = scaleHeight();
    }
    m_scaleMode = mode;
}

QPainter& RasterSurface::painter() {
    if (!m_painter) {
        // Beginning detaches the image from any copy handed out by image().
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_penWidth = 0;
    }
    return *m_painter;
}

void RasterSurface::finishPainting() const {
    if (m_painter) {
        m_painter->end();
        m_painter.reset();
    }
}

void RasterSurface::notifyChanged() {
    if (!m_hidden && m_changed)
        m_changed();
}

void RasterSurface::clear() {
    QPainter& p = painter();
    p.fillRect(m_image.rect(), toQColor(m_backColour));
    if (!m_background.isNull())
        p.drawImage(0, 0, m_background);
    m_positionX = 0;
    m_positionY = 0;
    notifyChanged();
}

QImage RasterSurface::clearedImage(const QImage& background) const {
    QImage cleared = blankImage(m_image.width(), m_image.height(), m_dpi, m_backColour);
    if (!cleared.isNull() && !background.isNull()) {
        QPainter p(&cleared);
        p.drawImage(0, 0, background);
    }
    return cleared;
}

bool RasterSurface::replaceBackgroundPicture(const QImage& picture) {
    const QImage& drawn = image();
    const QImage before = clearedImage(m_background);
    QImage after = clearedImage(picture);
    m_background = picture;
    if (before.isNull() || after.isNull())
        return false;
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* now = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        const auto* old = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        auto* result = reinterpret_cast<QRgb*>(after.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x)
            if (now[x] != old[x])
                result[x] = now[x];
    }
    m_image = std::move(after);
    notifyChanged();
    return true;
}

void RasterSurface::setDrawWidth(int width) {
    m_drawWidth = std::clamp(width, 1, 1000);
}

void RasterSurface::setDrawStyleSolid() {
    // Solid is the only style lines are drawn in.
}

void RasterSurface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    const double perUnitX = pixelsPerUnitX();
    const double perUnitY = pixelsPerUnitY();
    if (!std::isfinite(perUnitX) || !std::isfinite(perUnitY) || perUnitX == 0 || perUnitY == 0)
        return;

    // Clip in user units, where every finite coordinate is representable, to
    // the image plus a margin wider than the pen; the painter clips the rest.
    const double margin = 2.0 + penPixels();
    const double left = -margin / perUnitX;
    const double right = (m_image.width() + margin) / perUnitX;
    const double top = -margin / perUnitY;
    const double bottom = (m_image.height() + margin) / perUnitY;
    Segment segment{x1, y1, x2, y2};
    const ClipRect clip{std::min(left, right), std::min(top, bottom), std::max(left, right),
                        std::max(top, bottom)};
    if (!clipSegment(segment, clip))
        return;

    const double limitX = m_image.width() + 2 * margin;
    const double limitY = m_image.height() + 2 * margin;
    const QPoint from(toPixel(segment.x1 * perUnitX, limitX), toPixel(segment.y1 * perUnitY, limitY));
    const QPoint to(toPixel(segment.x2 * perUnitX, limitX), toPixel(segment.y2 * perUnitY, limitY));

    QPainter& p = painter();
    if (m_penWidth != penPixels() || m_penColour != colour) {
        p.setPen(QPen(toQColor(colour), penPixels(), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        m_penWidth = penPixels();
        m_penColour = colour;
    }
    p.drawLine(from, to);
    notifyChanged();
}

void RasterSurface::setCurrentPosition(double x, double y) {
    m_positionX = x * pixelsPerUnitX();
    m_positionY = y * pixelsPerUnitY();
}

double RasterSurface::currentX() const {
    return m_positionX / pixelsPerUnitX();
}

double RasterSurface::currentY() const {
    return m_positionY / pixelsPerUnitY();
}

void RasterSurface::printText(std::string_view utf8, Colour colour, double pointSize) {
    const QStringList lines = splitTextLines(utf8);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        // No font database without a GUI application; keep the layout moving.
        m_positionY += lines.size() * usablePointSize(pointSize) * m_dpi / 72.0;
        return;
    }

    const QFont font = surfaceFont(pointSize);
    const QFontMetricsF metrics(font, &m_image);
    const double lineSpacing = metrics.lineSpacing();
    QPainter& p = painter();
    p.setFont(font);
    p.setPen(toQColor(colour));
    m_penWidth = 0; // the text pen replaced the line pen

    const double x = std::floor(m_positionX);
    double y = std::floor(m_positionY);
    for (const QString& line : lines) {
        // Only text that can touch the image reaches the painter, whose
        // coordinates are not made for faraway positions.
        const bool visible = std::isfinite(x) && std::isfinite(y) && x < m_image.width() &&
                             x + metrics.horizontalAdvance(line) > 0 && y < m_image.height() &&
                             y + lineSpacing > 0;
        if (visible && !line.isEmpty())
            p.drawText(QPointF(x, y + metrics.ascent()), line);
        y += lineSpacing;
    }
    m_positionY = y;
    notifyChanged();
}

Result<> RasterSurface::saveImage(const std::string& path, ImageFormat format) {
    return saveImageFile(image(), path, format);
}

void RasterSurface::showAndEnable() {
    m_hidden = false;
    finishPainting();
    notifyChanged();
}

bool RasterSurface::resize(int width, int height) {
    width = std::max(devicePixels(width, m_ratio), 1);
    height = std::max(devicePixels(height, m_ratio), 1);
    if (width == m_image.width() && height == m_image.height())
        return true;
    QImage resized = blankImage(width, height, m_dpi, m_backColour);
    if (resized.isNull())
        return false;
    finishPainting();
    QPainter copier(&resized);
    copier.setCompositionMode(QPainter::CompositionMode_Source);
    copier.drawImage(0, 0, m_image);
    copier.end();
    m_image = std::move(resized);
    return true;
}

const QImage& RasterSurface::image() const {
    finishPainting();
    return m_image;
}
