#include "ImageCommandsFixture.h"

#include "monitor/ApplySettings.h"
#include "monitor/RunControl.h"
#include "support/Pixels.h"

#include <cstdlib>

ImageCommandsTest::ImageCommandsTest()
    : images(context, surface,
             ImageCommandServices{
                 .owner = nullptr,
                 .chooseFile =
                     [this](QWidget*, std::string_view filter, const std::string&, bool save) {
                         chooserCalls.push_back({std::string(filter), save});
                         return answer;
                     },
                 .makePrinter = [this] { return printer(); },
                 .copyToClipboard = [this](const QImage& picture) { return clipboard(picture); },
             }) {
    view.onRunButtonToggle = [this](RunButton button) { runButtonToggled(context, button); };
    chart.clearSurface();
}

void ImageCommandsTest::applySettingsFor(const std::string& dataFile) {
    MonitorSettings settings;
    settings.dataFile = dataFile;
    auto prepared = prepareSettings(settings, std::nullopt);
    ASSERT_TRUE(prepared);
    ASSERT_EQ(applyMonitorSettings(monitor, std::move(*prepared), view, nullptr), ApplyOutcome::Applied);
}

void ImageCommandsTest::drawGraph() {
    Scale& scale = monitor.scale();
    scale.resetExtremes();
    scale.takeHighest(90);
    scale.takeLowest(10);
    scale.setEnds(100, 0); // after the extremes, which move the ends
    SampleRing& samples = monitor.samples();
    samples.resetPosition();
    for (int i = 0; i < samples.pointsPerView(); ++i)
        samples.pushLive(i % 2 ? 90 : 10);
    chart.drawSeries(monitor.chartFrame());
}

int ImageCommandsTest::textPixels() const {
    return pixelsOfColour(shown(), Qt::white);
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
