#include "render/AnnotatedPicture.h"

#include "surface/DesignStyle.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace {

// The window's label colours and fonts.
constexpr Colour kLabelColour = kBlue;
constexpr Colour kScaleColour = kDarkGreen;

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

// The metrics of `font` on the picture, at 96 x `ratio` dots per inch.
QFontMetricsF metricsOnPicture(const QFont& font, double ratio) {
    QImage measure(1, 1, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(96 * ratio / 0.0254));
    measure.setDotsPerMeterX(dotsPerMetre);
    measure.setDotsPerMeterY(dotsPerMetre);
    return QFontMetricsF(font, &measure);
}

int textWidth(const QFontMetricsF& metrics, const std::string& label) {
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(text(label))));
}

// The points-per-view label sizes itself to its text: its rectangle on the picture.
QRect pointsPerViewRect(const AnnotationLayout& layout, double ratio, const RenderSummary& labels) {
    const QFontMetricsF metrics = metricsOnPicture(headFont(), ratio);
    const QRect origin = scaled(layout.pointsPerView, ratio);
    return QRect(origin.topLeft(), QSize(textWidth(metrics, labels.pointsPerView),
                                         static_cast<int>(std::ceil(metrics.height()))));
}

// A scale label's rectangle on the picture: its place in the window, reaching
// further left where its text is wider, so that no digit is cut off.
QRect scaleLabelRect(const AnnotationLayout& layout, double ratio, const RenderSummary& labels,
                     std::size_t i) {
    const QRect place = scaled(layout.scaleLabels[i], ratio);
    const int width = textWidth(metricsOnPicture(scaleFont(), ratio), labels.scaleLabels[i]);
    if (width <= place.width())
        return place;
    return QRect(place.right() + 1 - width, place.top(), width, place.height());
}

// How far the picture reaches left of the window's client area: as far as
// the widest scale label needs. The graph's pixels stay the same.
int leftMargin(const AnnotationLayout& layout, double ratio, const RenderSummary& labels) {
    int left = 0;
    for (std::size_t i = 0; i < layout.scaleLabels.size(); ++i)
        left = std::min(left, scaleLabelRect(layout, ratio, labels, i).left());
    return -left;
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
    return QSize(all.right() + 1 + leftMargin(layout, ratio, labels), all.bottom() + 1);
}

void paintAnnotatedPicture(QPainter& painter, const AnnotationLayout& layout, double ratio,
                           const RenderSummary& labels, const GraphPainter& paintGraph) {
    const QPalette palette = QGuiApplication::palette();
    painter.fillRect(painter.window(), palette.color(QPalette::Window));

    // Everything moves right by the margin the widest scale label needs.
    painter.save();
    painter.translate(leftMargin(layout, ratio, labels), 0);
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (std::size_t i = 0; i < layout.scaleLabels.size(); ++i)
        paintLabel(painter, scaleLabelRect(layout, ratio, labels, i), scaleFont(), toQColor(kScaleColour),
                   Qt::AlignRight, labels.scaleLabels[i]);
    for (std::size_t i = 0; i < layout.valueLabels.size(); ++i) {
        const bool now = i == static_cast<std::size_t>(1);
        paintLabel(painter, scaled(layout.valueLabels[i], ratio), windowFont(),
                   toQColor(now ? labels.nowColour.value_or(kLabelColour) : kLabelColour), Qt::AlignRight,
                   labels.valueLabels[i]);
    }
    paintLabel(painter, pointsPerViewRect(layout, ratio, labels), headFont(),
               palette.color(QPalette::WindowText), Qt::AlignLeft, labels.pointsPerView);
    paintLabel(painter, scaled(layout.status, ratio), windowFont(), toQColor(kLabelColour), Qt::AlignLeft,
               labels.status + labels.statusNote);
    painter.restore();

    // Last: the scale labels reach a pixel into the graph, which stays as
    // the bare picture has it.
    painter.save();
    painter.translate(scaled(layout.graph.left, ratio), scaled(layout.graph.top, ratio));
    paintGraph(painter);
    painter.restore();
    painter.restore();
}
