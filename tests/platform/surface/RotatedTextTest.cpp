#include "surface/RotatedText.h"
#include "surface/RasterSurface.h"

#include "support/Pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

namespace {

constexpr int kSize = 600;
constexpr int kCentre = kSize / 2;

// What writing `text` from (x, y) pixels, by default the surface's centre, draws.
QRect rotatedBounds(const std::string& text, int escapement, const std::string& face = "IPAGothic",
                    double x = kCentre, double y = kCentre) {
    RasterSurface surface(kSize, kSize);
    surface.setScaleMode(ScaleMode::Millimetres);
    surface.setCurrentPosition(x * 25.4 / 96, y * 25.4 / 96);
    surface.printRotatedText(text, RotatedFont{.height = -18, .face = face, .escapement = escapement});
    return drawnBounds(surface.image());
}

} // namespace

TEST(FontHeightForPoints, AsksForTheEmHeightWithoutOverflow) {
    const std::tuple<std::int64_t, double, std::int64_t> cases[] = {
        {14, 96, -18},       {9, 96, -12},  {9, 120, -15}, {2000, 96, -2666},
        {32767, 96, -43689}, {-14, 96, 18}, {0, 96, 0},    {10, 0, -13}, // an unknown dpi counts as 96
    };
    for (const auto& [points, dpi, height] : cases)
        EXPECT_EQ(fontHeightForPoints(points, dpi), height) << points << " pt at " << dpi;
}

TEST(RotatedText, RunsFromThePointAtTheAngle) {
    const int near = 4; // pixels of side bearing and leading
    const QRect across = rotatedBounds("ABCDEFGH", 0);
    EXPECT_NEAR(across.left(), kCentre, near);
    EXPECT_NEAR(across.top(), kCentre, near);
    EXPECT_GT(across.width(), 3 * across.height()) << "runs horizontally";

    const QRect up = rotatedBounds("ABCDEFGH", 900);
    EXPECT_NEAR(up.bottom(), kCentre, near);
    EXPECT_NEAR(up.left(), kCentre, near) << "the line's top faces left, its ink lies to the right";
    EXPECT_GT(up.height(), 3 * up.width()) << "runs upwards";
    EXPECT_NEAR(up.height(), across.width(), 2);

    const QRect down = rotatedBounds("ABCDEFGH", 2700);
    EXPECT_NEAR(down.top(), kCentre, near);
    EXPECT_NEAR(down.right(), kCentre, near);
    EXPECT_GT(down.height(), 3 * down.width()) << "runs downwards";
}

TEST(RotatedText, AnAtSignWritesUprightCharactersOneUnderAnother) {
    // "一" is a wide, low stroke: upright it stays wider than high.
    const QRect upright = rotatedBounds("一", 0);
    const QRect vertical = rotatedBounds("一", 2700, "@IPAGothic");
    const QRect turned = rotatedBounds("一", 2700);
    EXPECT_EQ(vertical.size(), upright.size()) << "upright in vertical writing";
    EXPECT_EQ(turned.size(), upright.size().transposed()) << "turned with the line otherwise";
    const QRect column = rotatedBounds("一一一", 2700, "@IPAGothic");
    EXPECT_GT(column.height(), 2 * 18) << "one under another, an em apart";
    EXPECT_EQ(column.width(), upright.width());
    EXPECT_NEAR(column.top(), kCentre, 18);
    EXPECT_LE(column.right(), kCentre);
}

// Bold rotated text: FileCommandsTest.RotatedTextOnTheGraphIsBoldOnlyForMinusOne.
TEST(RotatedText, MovesThePositionDownKeepsTheSurfacesOwnTextAndDrawsNothingFarAway) {
    RasterSurface surface(kSize, kSize);
    surface.setScaleMode(ScaleMode::Millimetres);
    surface.setCurrentPosition(10, 10);
    surface.printRotatedText(
        "ABC", RotatedFont{.height = -18, .face = "IPAGothic", .escapement = 2700, .bold = true});
    EXPECT_DOUBLE_EQ(surface.currentX(), 10);
    EXPECT_GT(surface.currentY(), 10 + 18 * 25.4 / 96) << "an em further down";
    EXPECT_EQ(surface.scaleMode(), ScaleMode::Millimetres);

    // Text of the surface's own afterwards looks as on a fresh surface.
    const auto ownText = [](RasterSurface& s) {
        s.clear();
        s.setCurrentPosition(10, 10);
        s.printText("Max:12", kWhite, 9);
        return s.image().copy();
    };
    RasterSurface fresh(kSize, kSize);
    fresh.setScaleMode(ScaleMode::Millimetres);
    EXPECT_EQ(ownText(surface), ownText(fresh));
    for (const double far : {1e300, -1e6, std::nan("")})
        EXPECT_EQ(rotatedBounds("ABC", 450, "IPAGothic", far, kCentre), QRect()) << far;
}
