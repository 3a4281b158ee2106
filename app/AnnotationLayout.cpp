#include "app/AnnotationLayout.h"

#include "core/FormLayout.h"

#include <algorithm>

namespace {

PixelRect pixels(const TwipRect& rect, double dpi) {
    return {pixelsFromTwips(rect.left, dpi), pixelsFromTwips(rect.top, dpi), pixelsFromTwips(rect.width, dpi),
            pixelsFromTwips(rect.height, dpi)};
}

} // namespace

AnnotationLayout annotationLayout(int graphWidth, int graphHeight, double dotsPerInch) {
    const FormGeometry g =
        layoutForGraph(twipsFromPixels(graphWidth, dotsPerInch), twipsFromPixels(graphHeight, dotsPerInch));
    AnnotationLayout layout;
    // The graph keeps its exact pixel size, whatever rounding the twips took.
    layout.graph = pixels(g.picView, dotsPerInch);
    layout.graph.width = graphWidth;
    layout.graph.height = graphHeight;
    for (std::size_t i = 0; i < layout.scaleLabels.size(); ++i)
        layout.scaleLabels[i] = pixels(g.lblViewMem[i], dotsPerInch);
    for (std::size_t i = 0; i < layout.valueLabels.size(); ++i)
        layout.valueLabels[i] = pixels(g.lblNowValVal[i], dotsPerInch);
    layout.headInfo = pixels(g.lblHeadInfo, dotsPerInch);
    layout.info = pixels(g.lblInfo, dotsPerInch);

    const auto [outerWidth, outerHeight] = outerSizeForGraph(g.picView.width, g.picView.height);
    layout.width = pixelsFromTwips(outerWidth - kDesignFrameWidth, dotsPerInch);
    layout.height = pixelsFromTwips(outerHeight - kDesignFrameHeight, dotsPerInch);
    for (const PixelRect& rect : {layout.graph, layout.valueLabels[0], layout.valueLabels[1],
                                  layout.valueLabels[2], layout.info, layout.scaleLabels[4]}) {
        layout.width = std::max(layout.width, rect.right());
        layout.height = std::max(layout.height, rect.bottom());
    }
    return layout;
}
