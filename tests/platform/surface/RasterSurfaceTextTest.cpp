#include "platform/surface/RasterSurface.h"

#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

namespace {

// The bounds of what printing `text` at (x, y) twips draws (15 twips a pixel).
QRect printedBounds(const std::string& text, double x, double y, double pointSize = 9) {
    RasterSurface surface(400, 300);
    surface.setScaleMode(ScaleMode::Twips);
    surface.setCurrentPosition(x, y);
    surface.printText(text, kWhite, pointSize);
    return drawnBounds(surface.image());
}

} // namespace

TEST(RasterSurfaceText, JapaneseTextStartsAtTheCurrentPositionAndMovesItDown) {
    RasterSurface surface(400, 300);
    surface.setScaleWidth(400);
    surface.setScaleHeight(300);
    surface.setCurrentPosition(100, 50);
    surface.printText("表示テスト", kCyan, 9);

    const QRect drawn = drawnBounds(surface.image());
    EXPECT_TRUE(QRect(100, 50, 5, 6).contains(drawn.topLeft())) << drawn.topLeft().x() << "," << drawn.y();
    EXPECT_GT(drawn.width(), 40) << "five full-width characters";
    int blended = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x)
            blended += colourAt(surface.image(), x, y) != kBlack && colourAt(surface.image(), x, y) != kCyan;
    EXPECT_EQ(blended, 0) << "text is in its colour, not antialiased";
    EXPECT_DOUBLE_EQ(surface.currentX(), 100);
    EXPECT_GT(surface.currentY(), drawn.bottom());
}

TEST(RasterSurfaceText, EachLineEndStartsANewLineAtTheSameXAndFarawayTextDrawsNothing) {
    const QRect one = printedBounds("表", 1500, 750);
    for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
        const QRect two = printedBounds(std::string("表") + lineEnd + "表", 1500, 750);
        EXPECT_EQ(std::tuple(two.topLeft(), two.width()), std::tuple(one.topLeft(), one.width()))
            << int(lineEnd[0]);
        EXPECT_GE(two.height(), 2 * one.height()) << int(lineEnd[0]);
    }
    for (const double x : {1e300, -30000.0, std::nan("")})
        EXPECT_EQ(printedBounds("表示\r\n表示", x, 750), QRect()) << x;
    EXPECT_EQ(printedBounds("表示", 1500, -1e300), QRect());
    EXPECT_NE(printedBounds("表", 1500, 750, std::nan("")), QRect()) << "an odd size still prints";
}
