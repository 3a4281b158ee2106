#include "tests/secondary/ImageCommandsFixture.h"

#include "monitor/Monitor.h"
#include "widgets/SurfaceView.h"
#include "support/Pixels.h"

#include <cstdlib>

ImageCommandsTest::ImageCommandsTest()
    : session(state, *window, std::make_unique<Utf8Decoder>()),
      images(session.context(), session.surface(),
             ImageCommandServices{
                 .owner = window.get(),
                 .chooseFile =
                     [this](QWidget*, std::string_view filter, const std::string&, bool save) {
                         chooserCalls.push_back({std::string(filter), save});
                         return answer;
                     },
                 .makePrinter = [this] { return printer(); },
                 .copyToClipboard = [this](const QImage& picture) { return clipboard(picture); },
             }) {
    window->wireImageCommands(&images);
    showWindow();
}

ImageCommandsTest::~ImageCommandsTest() {
    window->wireImageCommands(nullptr);
}

void ImageCommandsTest::drawGraph() {
    state.scaleTop = 100;
    state.scaleBottom = 0;
    state.highest = 90;
    state.lowest = 10;
    for (std::size_t i = 0; i < state.samples.size(); ++i)
        state.samples[i].value = i % 2 ? 90 : 10;
    state.newestSlot = state.pointsPerView - 1;
    session.chart().DrawSeries(state.scaleTop);
}

int ImageCommandsTest::textPixels() {
    return pixelsOfColour(window->graphView->grab().toImage(), Qt::white);
}

int pixelsNear(const QImage& image, const QRect& area, const QColor& colour, int tolerance) {
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) <= tolerance &&
                     std::abs(pixel.green() - colour.green()) <= tolerance &&
                     std::abs(pixel.blue() - colour.blue()) <= tolerance;
        }
    return count;
}
