#include "chart/Chart.h"

#include "chart/ScaleValues.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr Colour kGridColour = kDarkGreen;
constexpr Colour kThresholdColour = kRed;
constexpr Colour kExtremesTextColour = kWhite;
constexpr double kExtremesTextSize = 8;

} // namespace

Colour seriesColourFor(std::string_view colourText, Colour fallback) {
    for (const SeriesColour& entry : kSeriesColours)
        if (entry.name == colourText)
            return entry.colour;
    return fallback;
}

Chart::Chart(DrawingSurface& surface, const ChartSwitchSource& switches)
    : m_surface(surface), m_switchSource(switches) {}

void Chart::drawGrid(const ChartFrame& frame) {
    const Redraw redraw{frame, m_switchSource.chartSwitches()};
    if (redraw.switches.clear)
        m_deferred.reset(); // cleared anyway: a waiting picture would never be seen
    else
        flush(); // drawn over: the waiting picture must be there first
    renderGrid(redraw);
}

void Chart::drawSeriesAt(const ChartFrame& frame, When when) {
    const bool deferred = when == When::Deferred;
    if (!deferred || !m_switches)
        m_switches = m_switchSource.chartSwitches();
    // Composite pictures build on each other, so they are never deferred.
    if (deferred && m_switches->clear) {
        m_deferred = Redraw{frame, *m_switches};
        return;
    }
    const Redraw redraw{frame, *m_switches};
    if (!deferred)
        m_switches.reset();
    if (redraw.switches.clear)
        m_deferred.reset();
    else
        flush();
    renderGrid(redraw);
    renderSeries(redraw);
}

void Chart::flush() {
    if (!m_deferred)
        return;
    const Redraw redraw = *m_deferred;
    m_deferred.reset();
    renderGrid(redraw);
    renderSeries(redraw);
}

void Chart::keepDeferredSamples() {
    m_deferredSamples = *m_deferred->frame.series.samples;
    m_deferred->frame.series.samples = &m_deferredSamples;
}

void Chart::renderGrid(const Redraw& redraw) {
    const int pointsPerView = redraw.frame.series.pointsPerView;
    const int threshold = redraw.frame.thresholdPercent;
    m_surface.setScaleHeight(100);
    m_surface.setScaleWidth(100);
    if (redraw.switches.clear)
        m_surface.clear();
    m_surface.setDrawWidth(1);
    m_surface.setDrawStyleSolid();
    if (!redraw.switches.hideGrid)
        for (int x = 1; x <= 100; ++x)
            m_surface.drawLine(x, 0, x, 100, kGridColour);
    m_surface.setScaleWidth(pointsPerView);
    if (!redraw.switches.hideGrid)
        for (int y = 10; y <= 110; y += 10)
            m_surface.drawLine(0, y, pointsPerView, y, kGridColour);
    if (!redraw.switches.hideThreshold && threshold >= 1)
        m_surface.drawLine(0, 100 - threshold, pointsPerView, 100 - threshold, kThresholdColour);
}

void Chart::renderSeries(const Redraw& redraw) {
    const ChartFrame& frame = redraw.frame;
    m_surface.hideAndDisable();
    if (frame.top - frame.bottom > 0 && frame.series.samples) {
        const std::vector<Sample>& samples = *frame.series.samples;
        const SeriesPath path = seriesPathFor(frame.series.pointsPerView, frame.series.newestSlot,
                                              frame.series.wrapped, samples.size());
        forEachSeriesLine(samples, path, m_surface.pixelWidth(), frame.series.pointsPerView,
                          [&](double x1, double v1, double x2, double v2) {
                              const double y1 = chartY(v1, frame.bottom, frame.top);
                              const double y2 = chartY(v2, frame.bottom, frame.top);
                              if (!std::isnan(y1) && !std::isnan(y2))
                                  m_surface.drawLine(x1, y1, x2, y2, redraw.switches.colour);
                          });
    }
    m_surface.showAndEnable();
}

void Chart::printExtremes(const ExtremesNote& note) {
    flush();
    // The text sits at the height of the first sample, read on the 0..100
    // scale but applied in twips: within the top 100 twips of the surface.
    // A zero span has no height to read: the text goes to the top.
    double y = 0;
    const double span = note.top - note.bottom;
    if (span != 0) {
        const double ratio = asShown(note.firstSlotValue - note.bottom) / span * 100;
        y = 100 - roundDecimalText(ratio, 0);
    }
    if (!std::isfinite(y))
        y = 0;
    y = std::clamp(y, 0.0, 100.0); // keep the text inside the picture
    m_surface.setPersistent(true);
    m_surface.setScaleMode(ScaleMode::Twips);
    m_surface.setCurrentPosition(0, y);
    std::string text = "Max:" + decimalText(note.highest);
    text += kCrLf;
    text += "Min:" + decimalText(note.lowest);
    m_surface.printText(text, kExtremesTextColour, kExtremesTextSize);
    m_surface.setScaleMode(ScaleMode::Twips);
}

void Chart::moveToMillimetres(double x, double y) {
    flush();
    m_surface.setScaleMode(ScaleMode::Millimetres);
    m_surface.setCurrentPosition(x, y);
}

void Chart::clearSurface() {
    m_deferred.reset();
    m_surface.clear();
}
