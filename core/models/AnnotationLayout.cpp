#include "models/AnnotationLayout.h"

#include "models/MainWindowLayout.h"

#include <algorithm>

namespace {

PixelRect pixels(const TwipRect& rect, double dpi) {
    return {pixelsFromTwips(rect.left, dpi), pixelsFromTwips(rect.top, dpi), pixelsFromTwips(rect.width, dpi),
            pixelsFromTwips(rect.height, dpi)};
}

} // namespace

AnnotationLayout annotationLayout(int graphWidth, int graphHeight, double dotsPerInch) {
    const MainWindowGeometry g =
        layoutForGraph(twipsFromPixels(graphWidth, dotsPerInch), twipsFromPixels(graphHeight, dotsPerInch));
    AnnotationLayout layout;
    // The graph keeps its exact pixel size, whatever rounding the twips took.
    layout.graph = pixels(g.graphView, dotsPerInch);
    layout.graph.width = graphWidth;
    layout.graph.height = graphHeight;
    for (std::size_t i = 0; i < layout.scaleLabels.size(); ++i)
        layout.scaleLabels[i] = pixels(g.scaleLabels[i], dotsPerInch);
    for (std::size_t i = 0; i < layout.valueLabels.size(); ++i)
        layout.valueLabels[i] = pixels(g.valueLabels[i], dotsPerInch);
    layout.pointsPerView = pixels(g.pointsPerViewLabel, dotsPerInch);
    layout.status = pixels(g.statusLabel, dotsPerInch);

    const auto [outerWidth, outerHeight] = outerSizeForGraph(g.graphView.width, g.graphView.height);
    layout.width = pixelsFromTwips(outerWidth - kDesignFrameWidth, dotsPerInch);
    layout.height = pixelsFromTwips(outerHeight - kDesignFrameHeight, dotsPerInch);
    for (const PixelRect& rect : {layout.graph, layout.valueLabels[0], layout.valueLabels[1],
                                  layout.valueLabels[2], layout.status, layout.scaleLabels[4]}) {
        layout.width = std::max(layout.width, rect.right());
        layout.height = std::max(layout.height, rect.bottom());
    }
    return layout;
}
