// The raster surface: user units, clipping, background pictures, resizing,
// text, and saving.

#include "surface/RasterSurface.h"

#include "support/Pixels.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include <unistd.h>

namespace {

// User units that are the surface's pixels.
void usePixelUnits(RasterSurface& surface) {
    surface.setScaleWidth(surface.image().width());
    surface.setScaleHeight(surface.image().height());
}

// The bounds of what printing `text` at (x, y) twips draws (15 twips a pixel).
QRect printedBounds(const std::string& text, double x, double y, double pointSize = 9) {
    RasterSurface surface(400, 300);
    surface.setScaleMode(ScaleMode::Twips);
    surface.setCurrentPosition(x, y);
    surface.printText(text, kWhite, pointSize);
    return drawnBounds(surface.image());
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
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
    // What, the line's ends, its colour, what it draws on a 100 x 100 surface.
    const std::tuple<const char*, double, double, double, double, Colour, QRect> cases[] = {
        {"steeply out of the bottom", 10, 50, 20, 1e6, kRed, QRect(10, 50, 1, 50)},
        {"from far left", -1e300, 50, 50, 50, kDarkGreen, QRect(0, 50, 51, 1)},
        {"the largest doubles", 0, -kMax, 100, kMax, 0x123456, QRect(50, 0, 1, 100)},
        {"wholly below", 5, 1e300, 6, 1e300, kWhite, QRect()},
        {"not a number", std::nan(""), 0, 10, 10, kWhite, QRect()},
        {"infinite", 10, 10, 20, std::numeric_limits<double>::infinity(), kWhite, QRect()},
    };
    for (const auto& [what, x1, y1, x2, y2, colour, drawn] : cases) {
        RasterSurface surface(100, 100);
        usePixelUnits(surface);
        surface.drawLine(x1, y1, x2, y2, colour);
        EXPECT_EQ(drawnBounds(surface.image()), drawn) << what;
        if (!drawn.isEmpty()) {
            EXPECT_EQ(colourAt(surface.image(), drawn.x(), drawn.y()), colour) << what;
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

// The format chosen, not the name, decides, and no temporary is left:
// ImageCommandsTest.SaveWritesTheChosenPairsFormatUnderExactlyTheChosenName.
TEST(SaveImage, BitmapsHave24BitsPerPixelAndReloadWithTheSamePixels) {
    QTemporaryDir folder;
    RasterSurface surface(123, 45);
    surface.setScaleWidth(100);
    int row = 0;
    for (const Colour colour : {kYellow, kBlue, kDarkGreen, Colour{0x123456}}) {
        surface.drawLine(0, 10 * row, 99, 5 * row + 3, colour);
        ++row;
    }
    const QString path = folder.filePath("chart.bmp");
    ASSERT_TRUE(surface.saveImage(path.toStdString(), ImageFormat::Bmp));
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), surface.image());
    const QByteArray bitmap = fileBytes(path);
    ASSERT_GE(bitmap.size(), 54);
    EXPECT_EQ(bitmap[28], 24) << "24 bits per pixel";
    EXPECT_EQ(bitmap[29], 0);
}

TEST(SaveImage, FailuresReportErrnoAndWriteNothing) {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir("taken.bmp");
    QFile old(folder.filePath("old.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    old.setPermissions(QFile::ReadOwner);
    const QStringList before = entries(folder.path());
    const std::pair<const char*, int> cases[] = {
        {"missing/chart.bmp", ENOENT}, {"taken.bmp", EISDIR}, {"old.bmp", EACCES}};
    for (const auto& [name, expected] : cases) {
        if (expected == EACCES && ::geteuid() == 0)
            continue; // permissions do not stop the superuser
        RasterSurface surface(20, 10);
        const auto saved = surface.saveImage(folder.filePath(name).toStdString(), ImageFormat::Bmp);
        ASSERT_FALSE(saved) << name;
        EXPECT_EQ(saved.error().code, expected) << name;
        EXPECT_EQ(saved.error().message, std::strerror(expected)) << name;
    }
    EXPECT_EQ(entries(folder.path()), before) << "nothing written, no temporary left";
    EXPECT_EQ(fileBytes(folder.filePath("old.bmp")), "old");
}
