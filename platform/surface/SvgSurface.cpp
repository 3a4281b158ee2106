#include "surface/SvgSurface.h"

#include "io/AtomicFileWrite.h"
#include "surface/DesignStyle.h"
#include "surface/SurfaceText.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMetresPerInch = 0.0254;

// Where a line of `width` through the pixel is centred so that it covers the
// rows or columns the raster picture's line covers: an odd width is centred
// on the pixel, an even one on its top-left corner.
QPointF centre(PixelPoint pixel, int width) {
    const double offset = width % 2 == 1 ? 0.5 : 0.0;
    return QPointF(pixel.x + offset, pixel.y + offset);
}

} // namespace

SvgSurface::SvgSurface(int width, int height, double logicalDpi, double devicePixelRatio)
    : m_grid(width, height, logicalDpi, devicePixelRatio) {}

void SvgSurface::clear() {
    m_shapes.clear();
    m_grid.setPixelPosition(0, 0);
}

void SvgSurface::drawLine(double x1, double y1, double x2, double y2, Colour colour) {
    if (const auto line = m_grid.pixelLine(x1, y1, x2, y2))
        m_shapes.emplace_back(Line{line->first, line->second, toQColor(colour), m_grid.penPixels()});
}

void SvgSurface::printText(std::string_view utf8, Colour colour, double pointSize) {
    const QStringList lines = splitTextLines(utf8);
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        m_grid.moveDown(lines.size() * usablePointSize(pointSize) * m_grid.dotsPerInch() / 72.0);
        return;
    }
    // Measured as the raster surface measures on an image of this resolution.
    QImage measure(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(m_grid.dotsPerInch() / kMetresPerInch));
    measure.setDotsPerMeterX(dotsPerMetre);
    measure.setDotsPerMeterY(dotsPerMetre);
    const QFontMetricsF metrics(surfaceFont(pointSize), &measure);
    const double lineSpacing = metrics.lineSpacing();

    const double x = std::floor(m_grid.positionX());
    double y = std::floor(m_grid.positionY());
    for (const QString& line : lines) {
        const bool visible = std::isfinite(x) && std::isfinite(y) && x < m_grid.width() &&
                             x + metrics.horizontalAdvance(line) > 0 && y < m_grid.height() &&
                             y + lineSpacing > 0;
        if (visible && !line.isEmpty())
            m_shapes.emplace_back(Text{QPointF(x, y + metrics.ascent()), line, toQColor(colour), pointSize});
        y += lineSpacing;
    }
    m_grid.setPixelPosition(m_grid.positionX(), y);
}

void SvgSurface::paint(QPainter& painter) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(0, 0, m_grid.width(), m_grid.height()), Qt::black);
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
        PixelPoint end = first.to;
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
        return Error(kErrInvalidValue, "A vector picture is saved as SVG only.");
    return writeSvgFile(path, m_grid.width(), m_grid.height(), m_grid.dotsPerInch(),
                        [this](QPainter& painter) { paint(painter); });
}

Result<std::string> encodeSvgPicture(int width, int height, double dotsPerInch,
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
        return Error(kErrInvalidValue, "The picture could not be encoded as SVG.");
    paint(painter);
    painter.end();
    // The generator names only the first family of a font; readers without
    // that face (most of them) get the installed Japanese faces and a generic
    // family behind it.
    const QString svg = QString::fromUtf8(encoded);
    QString withFallbacks;
    qsizetype from = 0;
    static const QRegularExpression kFamily(QStringLiteral("font-family=\"([^\"]*)\""));
    for (auto match = kFamily.globalMatch(svg); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        withFallbacks += svg.mid(from, found.capturedStart(1) - from);
        withFallbacks += cssFontFamilies(found.captured(1)).toHtmlEscaped();
        from = found.capturedEnd(1);
    }
    withFallbacks += svg.mid(from);
    const QByteArray bytes = withFallbacks.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

Result<> writeSvgFile(const std::string& path, int width, int height, double dotsPerInch,
                      const std::function<void(QPainter&)>& paint) {
    const auto encoded = encodeSvgPicture(width, height, dotsPerInch, paint);
    if (!encoded)
        return encoded.error();
    return writeFileAtomically(path, *encoded);
}
