#include "render/AnnotatedPicture.h"

#include "surface/DesignStyle.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <cmath>

namespace {

// The window's label colours (0x00BBGGRR) and fonts.
constexpr std::uint32_t kLabelBlue = 0xFF0000;
constexpr std::uint32_t kScaleGreen = 0x008000;

QFont windowFont() {
    return designFont(DesignFace::Gothic, 9);
}
QFont scaleFont() {
    return designFont(DesignFace::ProportionalGothic, 9);
}
QFont headFont() {
    return designFont(DesignFace::Gothic, 8.25);
}

int scaled(int length, double ratio) {
    return static_cast<int>(std::lround(length * ratio));
}

QRect scaled(const PixelRect& rect, double ratio) {
    return QRect(scaled(rect.left, ratio), scaled(rect.top, ratio), scaled(rect.width, ratio),
                 scaled(rect.height, ratio));
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The head info label sizes itself to its text: its rectangle on the picture.
QRect pointsPerViewRect(const AnnotationLayout& layout, double ratio, const RenderSummary& labels) {
    QImage measure(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(96 * ratio / 0.0254));
    measure.setDotsPerMeterX(dotsPerMetre);
    measure.setDotsPerMeterY(dotsPerMetre);
    const QFontMetricsF metrics(headFont(), &measure);
    const QRect origin = scaled(layout.pointsPerView, ratio);
    return QRect(origin.topLeft(),
                 QSize(static_cast<int>(std::ceil(metrics.horizontalAdvance(text(labels.pointsPerView)))),
                       static_cast<int>(std::ceil(metrics.height()))));
}

// As a label paints its plain text: aligned in its rectangle, cut at its edges.
void paintLabel(QPainter& painter, const QRect& rect, const QFont& font, const QColor& colour,
                Qt::Alignment alignment, const std::string& label) {
    painter.save();
    painter.setClipRect(rect);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, static_cast<int>(alignment | Qt::AlignTop), text(label));
    painter.restore();
}

} // namespace

QSize annotatedPictureSize(const AnnotationLayout& layout, QSize graphPixels, double ratio,
                           const RenderSummary& labels) {
    const QRect graph(scaled(layout.graph.left, ratio), scaled(layout.graph.top, ratio), graphPixels.width(),
                      graphPixels.height());
    const QRect all = QRect(0, 0, scaled(layout.width, ratio), scaled(layout.height, ratio))
                          .united(graph)
                          .united(pointsPerViewRect(layout, ratio, labels));
    return QSize(all.right() + 1, all.bottom() + 1);
}

void paintAnnotatedPicture(QPainter& painter, const AnnotationLayout& layout, double ratio,
                           const RenderSummary& labels, const GraphPainter& paintGraph) {
    const QPalette palette = QGuiApplication::palette();
    painter.fillRect(painter.window(), palette.color(QPalette::Window));

    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (std::size_t i = 0; i < layout.scaleLabels.size(); ++i)
        paintLabel(painter, scaled(layout.scaleLabels[i], ratio), scaleFont(), toQColor(kScaleGreen),
                   Qt::AlignRight, labels.scaleLabels[i]);
    for (std::size_t i = 0; i < layout.valueLabels.size(); ++i)
        paintLabel(painter, scaled(layout.valueLabels[i], ratio), windowFont(), toQColor(kLabelBlue),
                   Qt::AlignRight, labels.valueLabels[i]);
    paintLabel(painter, pointsPerViewRect(layout, ratio, labels), headFont(),
               palette.color(QPalette::WindowText), Qt::AlignLeft, labels.pointsPerView);
    paintLabel(painter, scaled(layout.status, ratio), windowFont(), toQColor(kLabelBlue), Qt::AlignLeft,
               labels.status);
    painter.restore();

    // Last: the scale labels reach a pixel into the graph, which stays as
    // the bare picture has it.
    painter.save();
    painter.translate(scaled(layout.graph.left, ratio), scaled(layout.graph.top, ratio));
    paintGraph(painter);
    painter.restore();
}
