#include "platform/surface/SvgSurface.h"

#include "core/AtomicFileWrite.h"
#include "core/LineClipping.h"
#include "platform/surface/SurfaceText.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QSvgGenerator>

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

int devicePixels(int logical, double ratio) {
    return std::max(1, ratio == 1.0 ? logical : static_cast<int>(std::lround(logical * ratio)));
}

// As the raster surface rounds a clipped coordinate to its pixel.
int toPixel(double value, double limit) {
    return static_cast<int>(std::floor(std::clamp(value, -limit, limit)));
}

// Where a line of `width` through the pixel is centred so that it covers the
// rows or columns the raster picture's line covers: an odd width is centred
// on the pixel, an even one on its top-left corner.
QPointF centre(QPoint pixel, int width) {
    const double offset = width % 2 == 1 ? 0.5 : 0.0;
    return QPointF(pixel.x() + offset, pixel.y() + offset);
}

} // namespace

SvgSurface::SvgSurface(int width, int height, double logicalDpi, double devicePixelRatio)
    : m_ratio(std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0),
      m_dpi((std::isfinite(logicalDpi) && logicalDpi > 0 ? logicalDpi : 96.0) * m_ratio) {
    m_width = devicePixels(width, m_ratio);
    m_height = devicePixels(height, m_ratio);
}

double SvgSurface::unitsPerPixel() const {
    return (m_scaleMode == ScaleMode::Millimetres ? kMillimetresPerInch : kTwipsPerInch) / m_dpi;
}

int SvgSurface::penPixels() const {
    return devicePixels(m_drawWidth, m_ratio);
}

double SvgSurface::scaleWidth() const {
    return m_scaleMode == ScaleMode::User ? m_userWidth : m_width * unitsPerPixel();
}

double SvgSurface::scaleHeight() const {
    return m_scaleMode == ScaleMode::User ? m_userHeight : m_height * unitsPerPixel();
}

void SvgSurface::setScaleWidth(double width) {
    if (!std::isfinite(width) || width == 0)
        return;
    m_userHeight = scaleHeight();
    m_userWidth = width;
    m_scaleMode = ScaleMode::User;
}

void SvgSurface::setScaleHeight(double height) {
    if (!std::isfinite(height) || height == 0)
        return;
    m_userWidth = scaleWidth();
    m_userHeight = height;
    m_scaleMode = ScaleMode::User;
}

void SvgSurface::setScaleMode(ScaleMode mode) {
    if (mode == ScaleMode::User) {
        m_userWidth = scaleWidth();
        m_userHeight = scaleHeight();
    }
    m_scaleMode = mode;
}

void SvgSurface::clear() {
    m_shapes.clear();
    m_positionX = 0;
    m_positionY = 0;
}

void SvgSurface::setDrawWidth(int width) {
    m_drawWidth = std::clamp(width, 1, 1000);
}

void SvgSurface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    const double perUnitX = pixelsPerUnitX();
    const double perUnitY = pixelsPerUnitY();
    if (!std::isfinite(perUnitX) || !std::isfinite(perUnitY) || perUnitX == 0 || perUnitY == 0)
        return;
    const double margin = 2.0 + penPixels();
    const double left = -margin / perUnitX;
    const double right = (m_width + margin) / perUnitX;
    const double top = -margin / perUnitY;
    const double bottom = (m_height + margin) / perUnitY;
    Segment segment{x1, y1, x2, y2};
    const ClipRect clip{std::min(left, right), std::min(top, bottom), std::max(left, right),
                        std::max(top, bottom)};
    if (!clipSegment(segment, clip))
        return;
    const double limitX = m_width + 2 * margin;
    const double limitY = m_height + 2 * margin;
    m_shapes.emplace_back(
        Line{QPoint(toPixel(segment.x1 * perUnitX, limitX), toPixel(segment.y1 * perUnitY, limitY)),
             QPoint(toPixel(segment.x2 * perUnitX, limitX), toPixel(segment.y2 * perUnitY, limitY)),
             toQColor(colour), penPixels()});
}

void SvgSurface::setCurrentPosition(double x, double y) {
    m_positionX = x * pixelsPerUnitX();
    m_positionY = y * pixelsPerUnitY();
}

void SvgSurface::printText(std::string_view utf8, Colour colour, double pointSize) {
    const QStringList lines = splitTextLines(utf8);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        m_positionY += lines.size() * usablePointSize(pointSize) * m_dpi / 72.0;
        return;
    }
    // Measured as the raster surface measures on an image of this resolution.
    QImage measure(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(m_dpi / kMetresPerInch));
    measure.setDotsPerMeterX(dotsPerMetre);
    measure.setDotsPerMeterY(dotsPerMetre);
    const QFontMetricsF metrics(surfaceFont(pointSize), &measure);
    const double lineSpacing = metrics.lineSpacing();

    const double x = std::floor(m_positionX);
    double y = std::floor(m_positionY);
    for (const QString& line : lines) {
        const bool visible = std::isfinite(x) && std::isfinite(y) && x < m_width &&
                             x + metrics.horizontalAdvance(line) > 0 && y < m_height && y + lineSpacing > 0;
        if (visible && !line.isEmpty())
            m_shapes.emplace_back(Text{QPointF(x, y + metrics.ascent()), line, toQColor(colour), pointSize});
        y += lineSpacing;
    }
    m_positionY = y;
}

void SvgSurface::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, m_width, m_height), Qt::black);
    for (std::size_t i = 0; i < m_shapes.size();) {
        if (const auto* text = std::get_if<Text>(&m_shapes[i])) {
            painter.setFont(surfaceFont(text->pointSize));
            painter.setPen(text->colour);
            painter.drawText(text->baseline, text->text);
            ++i;
            continue;
        }
        // A run of joined lines of one pen is one polyline.
        const Line& first = std::get<Line>(m_shapes[i]);
        QPolygonF points{centre(first.from, first.width), centre(first.to, first.width)};
        QPoint end = first.to;
        std::size_t next = i + 1;
        for (; next < m_shapes.size(); ++next) {
            const auto* line = std::get_if<Line>(&m_shapes[next]);
            if (!line || line->from != end || line->colour != first.colour || line->width != first.width)
                break;
            points << centre(line->to, first.width);
            end = line->to;
        }
        painter.setPen(QPen(first.colour, first.width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (points.size() == 2)
            painter.drawLine(points[0], points[1]);
        else
            painter.drawPolyline(points);
        i = next;
    }
    painter.restore();
}

Result<> SvgSurface::saveImage(const std::string& path, ImageFormat format) {
    if (format != ImageFormat::Svg)
        return CoreError{kErrInvalidValue, "A vector picture is saved as SVG only."};
    return writeSvgFile(path, m_width, m_height, m_dpi, [this](QPainter& painter) { paint(painter); });
}

Result<> writeSvgFile(const std::string& path, int width, int height, double dotsPerInch,
                      const std::function<void(QPainter&)>& paint) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(width, height));
    generator.setViewBox(QRect(0, 0, width, height));
    generator.setResolution(static_cast<int>(std::lround(dotsPerInch)));
    QPainter painter;
    if (!painter.begin(&generator))
        return CoreError{kErrInvalidValue, "The picture could not be encoded as SVG."};
    paint(painter);
    painter.end();
    return writeFileAtomically(path, std::string_view(encoded.constData(), encoded.size()));
}
