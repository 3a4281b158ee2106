#include "models/AnnotationLayout.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// The window's rule, run backwards: a window whose graph has the picture's
// size, whatever that size; nothing drawn is cut off.
TEST(AnnotationLayout, PlacesTheLabelsAroundAGraphOfAnySize) {
    for (const auto& [width, height] :
         {std::pair(577, 145), std::pair(1, 1), std::pair(40, 30), std::pair(3000, 900)}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const AnnotationLayout layout = annotationLayout(width, height);
        EXPECT_EQ(layout.graph, (PixelRect{56, 8, width, height}));
        EXPECT_EQ(layout.scaleLabels[0].top, 3);
        EXPECT_EQ(layout.scaleLabels[4].top, height + 3) << "at the graph's bottom";
        EXPECT_GT(layout.valueLabels[0].top, layout.graph.bottom()) << "below the graph";
        EXPECT_NEAR(layout.valueLabels[0].right(), layout.graph.right() - 3, 1) << "at its right edge";
        EXPECT_GT(layout.status.top, layout.valueLabels[0].top);
        for (const PixelRect& rect :
             {layout.graph, layout.valueLabels[2], layout.status, layout.scaleLabels[4]}) {
            EXPECT_LE(rect.right(), layout.width);
            EXPECT_LE(rect.bottom(), layout.height);
        }
    }
}

} // namespace
