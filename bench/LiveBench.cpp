// One live tick (read the newest line, extract the field, draw the chart) on
// a data file that grows between ticks, at 1 MB and at 1 GB.

#include "BenchFiles.h"
#include "QuietView.h"
#include "chart/Chart.h"
#include "monitor/ApplySettings.h"
#include "monitor/EventPump.h"
#include "monitor/LiveTick.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "surface/RasterSurface.h"
#include "text/TextDecoder.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LiveTick(benchmark::State& benchState) {
    const auto size = static_cast<std::uint64_t>(benchState.range(0)) << 20;
    if (size >= (std::uint64_t{1} << 30) && !largeBenchmarksEnabled()) {
        benchState.SkipWithError("set TRENDOLA_BENCH_LARGE=1 for the 1 GB case");
        return;
    }
    MonitorSettings settings;
    settings.dataFile = csvFileOfSize(size);
    settings.column = 2;
    // Applied as the window applies them: the file counted, the last-line
    // reader going on from that count, a rescale pending.
    auto prepared = prepareSettings(settings, std::nullopt);
    if (!prepared) {
        benchState.SkipWithError(prepared.error().message.c_str());
        return;
    }
    Monitor monitor;
    QuietView view;
    if (applyMonitorSettings(monitor, std::move(*prepared), view, nullptr) != ApplyOutcome::Applied) {
        benchState.SkipWithError("the settings were not applied");
        return;
    }

    RasterSurface surface(1000, 250);
    Chart chart(surface, view);
    EventPump pump(view);
    Utf8Decoder decoder;
    MonitorContext context{monitor, view, chart, pump, decoder};
    for (auto _ : benchState) {
        benchState.PauseTiming();
        appendCsv(settings.dataFile, 40);
        benchState.ResumeTiming();
        liveTick(context);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_LiveTick)->Arg(1)->Arg(1024)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
