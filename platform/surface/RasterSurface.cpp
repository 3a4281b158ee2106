#include "surface/RasterSurface.h"

#include "surface/DesignStyle.h"
#include "surface/ImageFile.h"
#include "surface/SurfaceText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

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

} // namespace

RasterSurface::RasterSurface(int width, int height, double logicalDpi, double devicePixelRatio)
    : m_ratio(std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0),
      m_grid(width, height, logicalDpi, m_ratio) {
    m_image = blankImage(m_grid.width(), m_grid.height(), m_grid.dotsPerInch(), m_backColour);
    if (m_image.isNull()) {
        m_image = blankImage(1, 1, m_grid.dotsPerInch(), m_backColour);
        m_grid.resizePixels(1, 1);
    }
}

RasterSurface::~RasterSurface() = default;

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
    m_grid.setPixelPosition(0, 0);
    notifyChanged();
}

QImage RasterSurface::clearedImage(const QImage& background) const {
    QImage cleared = blankImage(m_image.width(), m_image.height(), m_grid.dotsPerInch(), m_backColour);
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
    m_grid.setDrawWidth(width);
}

void RasterSurface::setDrawStyleSolid() {
    // Solid is the only style lines are drawn in.
}

void RasterSurface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    const auto line = m_grid.pixelLine(x1, y1, x2, y2);
    if (!line)
        return;
    QPainter& p = painter();
    const int pen = m_grid.penPixels();
    if (m_penWidth != pen || m_penColour != colour) {
        p.setPen(QPen(toQColor(colour), pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        m_penWidth = pen;
        m_penColour = colour;
    }
    p.drawLine(QPoint(line->first.x, line->first.y), QPoint(line->second.x, line->second.y));
    notifyChanged();
}

void RasterSurface::printText(std::string_view utf8, Colour colour, double pointSize) {
    const QStringList lines = splitTextLines(utf8);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        // No font database without a GUI application; keep the layout moving.
        m_grid.moveDown(lines.size() * usablePointSize(pointSize) * m_grid.dotsPerInch() / 72.0);
        return;
    }

    const QFont font = surfaceFont(pointSize);
    const QFontMetricsF metrics(font, &m_image);
    const double lineSpacing = metrics.lineSpacing();
    QPainter& p = painter();
    p.setFont(font);
    p.setPen(toQColor(colour));
    m_penWidth = 0; // the text pen replaced the line pen

    const double x = std::floor(m_grid.positionX());
    double y = std::floor(m_grid.positionY());
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
    m_grid.setPixelPosition(m_grid.positionX(), y);
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
    width = m_grid.devicePixels(width);
    height = m_grid.devicePixels(height);
    if (width == m_image.width() && height == m_image.height())
        return true;
    QImage resized = blankImage(width, height, m_grid.dotsPerInch(), m_backColour);
    if (resized.isNull())
        return false;
    finishPainting();
    QPainter copier(&resized);
    copier.setCompositionMode(QPainter::CompositionMode_Source);
    copier.drawImage(0, 0, m_image);
    copier.end();
    m_image = std::move(resized);
    m_grid.resizePixels(width, height);
    return true;
}

const QImage& RasterSurface::image() const {
    finishPainting();
    return m_image;
}
