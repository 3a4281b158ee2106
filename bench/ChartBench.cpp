// One full chart redraw into the raster surface: grid, threshold and the
// whole series, at 1000 x 250 pixels, for growing numbers of points.

#include "QuietView.h"
#include "chart/Chart.h"
#include "monitor/SampleRing.h"
#include "surface/RasterSurface.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

void BM_ChartRedraw(benchmark::State& benchState) {
    const auto points = static_cast<int>(benchState.range(0));
    std::mt19937 random(1);
    std::normal_distribution<double> noise(50, 20);
    std::vector<Sample> values(static_cast<std::size_t>(points) + 1);
    for (auto& sample : values)
        sample.value = noise(random);
    SampleRing samples(1, points);
    samples.adopt(std::move(values));
    for (int i = 0; i < points; ++i)
        samples.advanceReplayPosition(); // a full view, not wrapped
    const ChartFrame frame{100, 0, 80, samples.series()};

    QuietView view;
    RasterSurface surface(1000, 250);
    Chart chart(surface, view);
    for (auto _ : benchState) {
        chart.drawSeries(frame);
        benchmark::DoNotOptimize(surface.image().constBits()); // the finished picture
    }
}
BENCHMARK(BM_ChartRedraw)->Arg(500)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

} // namespace
