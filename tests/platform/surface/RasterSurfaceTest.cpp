#include "platform/surface/RasterSurface.h"

#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>

namespace {

// User units that are the surface's pixels.
void usePixelUnits(RasterSurface& surface) {
    surface.setScaleWidth(surface.image().width());
    surface.setScaleHeight(surface.image().height());
}

} // namespace

TEST(RasterSurface, UserUnitsMapToPixelsOnBothAxes) {
    // A line from `from` to `to` along an axis of 1000 pixels holding `units`
    // covers pixels first..last, or nothing when there are none. The far edge
    // lands just outside; 1..2 of 3 units is floor(333.3)..floor(666.7); a
    // negative scale turns the axis round.
    const std::tuple<double, double, double, int, int> cases[] = {{500, 499, 500, 998, 999},
                                                                  {500, 500, 501, 0, -1},
                                                                  {500, -0.001, -0.001, 0, -1},
                                                                  {3, 1, 2, 333, 666},
                                                                  {-500, -499, -500, 998, 999}};
    for (const auto& [units, from, to, first, last] : cases) {
        const int count = last - first + 1;
        RasterSurface across(1000, 10);
        usePixelUnits(across);
        across.setScaleWidth(units);
        across.drawLine(from, 5, to, 5, kWhite);
        EXPECT_EQ(drawnBounds(across.image()), count ? QRect(first, 5, count, 1) : QRect())
            << units << ": " << from;
        RasterSurface down(10, 1000);
        usePixelUnits(down);
        down.setScaleHeight(units);
        down.drawLine(5, from, 5, to, kWhite);
        EXPECT_EQ(drawnBounds(down.image()), count ? QRect(5, first, 1, count) : QRect())
            << units << ": " << from;
    }
}

TEST(RasterSurface, FarawayPointsAreClippedNotClampedAndColoursKeepTheirChannels) {
    constexpr double kMax = std::numeric_limits<double>::max();
    const struct {
        const char* what;
        double x1, y1, x2, y2;
        Colour colour;
        QRect drawn; // on a 100 x 100 surface
    } cases[] = {
        {"steeply out of the bottom", 10, 50, 20, 1e6, kRed, QRect(10, 50, 1, 50)},
        {"from far left", -1e300, 50, 50, 50, kDarkGreen, QRect(0, 50, 51, 1)},
        {"the largest doubles", 0, -kMax, 100, kMax, 0x123456, QRect(50, 0, 1, 100)},
        {"wholly below", 5, 1e300, 6, 1e300, kWhite, QRect()},
        {"not a number", std::nan(""), 0, 10, 10, kWhite, QRect()},
        {"infinite", 10, 10, 20, std::numeric_limits<double>::infinity(), kWhite, QRect()},
    };
    for (const auto& c : cases) {
        RasterSurface surface(100, 100);
        usePixelUnits(surface);
        surface.drawLine(c.x1, c.y1, c.x2, c.y2, c.colour);
        EXPECT_EQ(drawnBounds(surface.image()), c.drawn) << c.what;
        if (!c.drawn.isEmpty()) {
            EXPECT_EQ(colourAt(surface.image(), c.drawn.x(), c.drawn.y()), c.colour) << c.what;
        }
    }
}

TEST(RasterSurface, AReplacedBackgroundPictureGoesBeneathTheDrawingAtOnce) {
    QImage wide(8, 4, QImage::Format_RGB32);
    wide.fill(Qt::red);
    QImage small(3, 3, QImage::Format_RGB32);
    small.fill(Qt::green);
    // What a clear with `picture` and the same drawing shows.
    const auto drawnOver = [](const QImage& picture) {
        auto surface = std::make_unique<RasterSurface>(10, 10);
        usePixelUnits(*surface);
        surface->setBackgroundPicture(picture);
        surface->clear();
        surface->drawLine(0, 2, 9, 2, kWhite);
        surface->drawLine(6, 0, 6, 9, kYellow);
        return surface;
    };
    const std::pair<QImage, QImage> cases[] = {{QImage(), wide}, {wide, small}, {wide, QImage()}};
    for (const auto& [before, after] : cases) {
        const auto surface = drawnOver(before);
        ASSERT_TRUE(surface->replaceBackgroundPicture(after));
        EXPECT_EQ(surface->image(), drawnOver(after)->image()) << before.width() << " to " << after.width();
        surface->clear();
        EXPECT_EQ(drawnBounds(surface->image()), after.rect()) << "kept for the next clear";
    }
}

TEST(RasterSurface, ResizeKeepsThePixelsWhereTheyAre) {
    RasterSurface surface(10, 10);
    usePixelUnits(surface);
    surface.drawLine(5, 5, 5, 5, kWhite);
    const QImage before = surface.image();
    surface.setBackColour(kBlue); // only new area shows it
    ASSERT_TRUE(surface.resize(20, 15));
    EXPECT_EQ(surface.image().copy(0, 0, 10, 10), before) << "neither stretched nor cleared";
    EXPECT_EQ(drawnBounds(surface.image(), kBlue), QRect(0, 0, 10, 10));

    const QImage shown = surface.image();
    surface.drawLine(0, 0, 20, 20, kRed);
    EXPECT_EQ(colourAt(shown, 0, 0), kBlack) << "a copy handed out keeps its pixels";
    EXPECT_EQ(colourAt(surface.image(), 0, 0), kRed);
}

TEST(RasterSurface, ScaleUnitsFollowModeAndImage) {
    RasterSurface surface(1000, 250); // 96 dpi
    surface.setScaleMode(ScaleMode::Millimetres);
    EXPECT_NEAR(surface.scaleHeight(), 66.1458333, 1e-6);
    surface.setScaleMode(ScaleMode::Twips);
    EXPECT_DOUBLE_EQ(surface.scaleHeight(), 3750);

    surface.setScaleWidth(100); // user units; the height keeps its number of units
    EXPECT_DOUBLE_EQ(surface.scaleHeight(), 3750);
    ASSERT_TRUE(surface.resize(1000, 500));
    EXPECT_DOUBLE_EQ(surface.scaleHeight(), 3750);
    surface.setScaleHeight(0); // no scale: ignored
    surface.setScaleMode(ScaleMode::Twips);
    EXPECT_DOUBLE_EQ(surface.scaleHeight(), 7500);
    EXPECT_DOUBLE_EQ(RasterSurface(100, 250, 120).scaleHeight(), 3000) << "at 120 dpi";
}

TEST(RasterSurface, ShowingAfterARedrawTellsTheWidget) {
    RasterSurface surface(10, 10);
    usePixelUnits(surface);
    int changes = 0;
    surface.setChangedCallback([&] { ++changes; });
    surface.hideAndDisable();
    surface.clear();
    surface.drawLine(0, 9, 9, 9, kYellow);
    EXPECT_EQ(changes, 0) << "no repaint of a half-drawn picture";
    surface.showAndEnable();
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(surface.isHidden());
    surface.drawLine(0, 0, 1, 1, kRed);
    EXPECT_EQ(changes, 2);
}
