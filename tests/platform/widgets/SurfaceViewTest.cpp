#include "widgets/SurfaceView.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Every pixel tells where it came from, so a scaled or shifted image shows.
QImage patternImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 + x * 7, 10 + y * 7, 200));
    return image;
}

// The widget's pixels, as painted now.
QImage shown(SurfaceView& view) {
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixel by pixel: the image's own pixel where it reaches, black elsewhere.
void expectImageAtTopLeft(const QImage& screen, const QImage* image) {
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const bool covered = image && x < image->width() && y < image->height();
            const QRgb expected = covered ? image->pixel(x, y) : qRgb(0, 0, 0);
            ASSERT_EQ(screen.pixel(x, y), expected) << "at " << x << "," << y;
        }
}

TEST(SurfaceView, ShowsTheImageAsItIsNowUnscaledAtItsTopLeftWhateverItsSize) {
    QImage image = patternImage(24, 16);
    SurfaceView view;
    view.setImage(&image);
    for (const QSize size : {QSize(40, 30), QSize(10, 8), QSize(50, 5)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        view.resize(size);
        expectImageAtTopLeft(shown(view), &image);
    }
    image.fill(qRgb(0, 255, 0)); // drawn into after it was handed over
    view.update();
    expectImageAtTopLeft(shown(view), &image);
    view.setImage(nullptr);
    expectImageAtTopLeft(shown(view), nullptr);
}

} // namespace
