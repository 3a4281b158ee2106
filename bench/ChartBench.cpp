// One full chart redraw into the raster surface: grid, threshold and the
// whole series, at 1000 x 250 pixels, for growing numbers of points.

#include "QuietView.h"
#include "chart/Chart.h"
#include "monitor/Monitor.h"
#include "surface/RasterSurface.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

void BM_ChartRedraw(benchmark::State& benchState) {
    MonitorState state;
    LoadMonitorDefaults(state);
    state.pointsPerView = static_cast<std::int32_t>(benchState.range(0));
    RedimDatBuf(state, state.pointsPerView);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(50, 20);
    for (auto& sample : state.samples)
        sample.value = noise(random);
    state.newestSlot = state.pointsPerView - 1; // a full view, not wrapped
    state.scaleTop = 100;
    state.scaleBottom = 0;

    QuietView view;
    RasterSurface surface(1000, 250);
    Chart chart(state, view, surface);
    for (auto _ : benchState) {
        chart.DrawSeries(state.scaleTop);
        benchmark::DoNotOptimize(surface.image().constBits()); // the finished picture
    }
}
BENCHMARK(BM_ChartRedraw)->Arg(500)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
