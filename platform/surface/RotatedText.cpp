// RasterSurface::printRotatedText and the font rule it draws with.

#include "surface/RotatedText.h"

#include "surface/DesignStyle.h"
#include "surface/RasterSurface.h"
#include "surface/SurfaceText.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerInch = 1440.0;
// The largest pixel size asked of the font engine; larger glyphs could not
// show on any surface anyway.
constexpr std::int64_t kMaxPixelSize = 1 << 16;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The face with Japanese fallbacks behind it, so that a face this system
// lacks still writes Japanese text.
QFont faceFont(const QString& face) {
    QFont font;
    font.setFamilies({face, QStringLiteral("IPAMincho"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Sans CJK JP")});
    // Crisp single-colour text, as the surface's own text is.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int clampedPixels(double pixels) {
    return static_cast<int>(std::clamp<double>(std::round(pixels), 1, kMaxPixelSize));
}

QFont rotatedQFont(const RotatedFont& wanted, bool vertical, double dpi, const QPaintDevice* device) {
    QFont font = faceFont(fromUtf8(vertical ? wanted.face.substr(1) : wanted.face));
    font.setBold(wanted.bold);
    if (wanted.height < 0) {
        font.setPixelSize(clampedPixels(-static_cast<double>(wanted.height)));
    } else if (wanted.height > 0) {
        // A cell height: scale the em so that ascent + descent fill it.
        font.setPixelSize(clampedPixels(static_cast<double>(wanted.height)));
        const double cell = QFontMetricsF(font, device).height();
        if (cell > 0)
            font.setPixelSize(clampedPixels(static_cast<double>(wanted.height) * font.pixelSize() / cell));
    } else {
        font.setPixelSize(clampedPixels(usablePointSize(9) * dpi / 72.0));
    }
    return font;
}

// Draws `line` in vertical writing along the painter's x axis: each
// character in a square cell of one em, turned a quarter left, so that it
// stands upright when the line runs downwards.
void drawVertical(QPainter& p, const QString& line, const QFontMetricsF& metrics, double em, double across) {
    double along = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qsizetype length = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QString character = line.mid(i, length);
        i += length - 1;
        p.save();
        p.translate(along + em / 2, across + em / 2);
        p.rotate(-90);
        const double baseline = (metrics.ascent() - metrics.descent()) / 2;
        p.drawText(QPointF(-metrics.horizontalAdvance(character) / 2, baseline), character);
        p.restore();
        along += em;
    }
}

} // namespace

std::int64_t fontHeightForPoints(std::int64_t points, double logicalDpi) {
    const double dpi = std::isfinite(logicalDpi) && logicalDpi > 0 ? logicalDpi : 96.0;
    const auto twipsPerPixel = std::max<std::int64_t>(1, std::llround(kTwipsPerInch / dpi));
    return -(points * 20 / twipsPerPixel);
}

void RasterSurface::printRotatedText(std::string_view utf8, const RotatedFont& wanted) {
    const QStringList lines = splitTextLines(utf8);
    const bool vertical = wanted.face.starts_with('@');
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        // No font database without a GUI application; keep the layout moving.
        m_grid.moveDown(lines.size() * std::abs(static_cast<double>(wanted.height)));
        return;
    }

    const QFont font = rotatedQFont(wanted, vertical, m_grid.dotsPerInch(), &m_image);
    const QFontMetricsF metrics(font, &m_image);
    const double em = font.pixelSize();
    const double lineStep = vertical ? em : metrics.lineSpacing();
    double length = 0;
    for (const QString& line : lines)
        length = std::max(length, vertical ? em * line.size() : metrics.horizontalAdvance(line));

    // The text's top-left corner at the current position, turned about it.
    QTransform turn;
    turn.translate(std::floor(m_grid.positionX()), std::floor(m_grid.positionY()));
    turn.rotate(-wanted.escapement / 10.0);
    const QRectF reach = turn.mapRect(QRectF(0, 0, length, lineStep * lines.size()));
    // Only text that can touch the image reaches the painter, whose
    // coordinates are not made for faraway positions.
    const bool visible = std::isfinite(reach.left()) && std::isfinite(reach.top()) &&
                         std::isfinite(reach.width()) && std::isfinite(reach.height()) &&
                         reach.intersects(QRectF(m_image.rect()));
    if (visible) {
        QPainter& p = painter();
        p.save();
        p.setTransform(turn, true);
        p.setFont(font);
        p.setPen(toQColor(m_foreColour));
        double across = 0;
        for (const QString& line : lines) {
            if (vertical)
                drawVertical(p, line, metrics, em, across);
            else
                p.drawText(QPointF(0, across + metrics.ascent()), line);
            across += lineStep;
        }
        p.restore();
        m_penWidth = 0; // the text pen replaced the line pen
    }
    m_grid.moveDown(lineStep * lines.size());
    notifyChanged();
}
