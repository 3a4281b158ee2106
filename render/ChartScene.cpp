#include "render/ChartScene.h"

#include "monitor/Monitor.h"
#include "render/RenderCanvas.h"
#include "render/RenderOptions.h"

#include <algorithm>

namespace {

class FixedSwitches : public ChartSwitchSource {
public:
    explicit FixedSwitches(const ChartSwitches& switches) : m_switches(switches) {}
    ChartSwitches chartSwitches() const override { return m_switches; }

private:
    ChartSwitches m_switches;
};

} // namespace

ChartScene captureChartScene(const Monitor& monitor, const ChartSwitches& switches,
                             const RenderSummary& labels, const RenderOptions& options) {
    ChartScene scene;
    scene.width = options.width;
    scene.height = options.height;
    scene.ratio = options.scale;
    scene.top = monitor.scale().top();
    scene.bottom = monitor.scale().bottom();
    scene.thresholdPercent = monitor.settings().thresholdPercent;
    const SampleRing& ring = monitor.samples();
    scene.pointsPerView = ring.pointsPerView();
    scene.newestSlot = ring.newestSlot();
    scene.wrapped = ring.wrapped();
    // A live value never goes beyond slot pointsPerView − 1, and the series
    // reaches no further; the rest of the ring is the replay's.
    const std::size_t reach =
        std::min(ring.size(), static_cast<std::size_t>(std::max(ring.pointsPerView(), 1)));
    scene.samples.assign(ring.samples().begin(), ring.samples().begin() + static_cast<std::ptrdiff_t>(reach));
    scene.switches = switches;
    scene.switches.clear = true;
    scene.labels = labels;
    scene.labels.images.clear();
    return scene;
}

Result<std::string> encodeChartScene(const ChartScene& scene, ImageFormat format) {
    RenderOptions options;
    options.width = scene.width;
    options.height = scene.height;
    options.scale = scene.ratio;
    options.format = format;
    options.annotate = true;
    RenderCanvas canvas(options, scene.labels);
    const FixedSwitches switches(scene.switches);
    Chart chart(canvas, switches);
    chart.drawSeries(
        ChartFrame{scene.top, scene.bottom, scene.thresholdPercent,
                   SeriesWindow{&scene.samples, scene.pointsPerView, scene.newestSlot, scene.wrapped}});
    return canvas.encodeAnnotated(format);
}
