// One live tick (read the newest line, extract the field, draw the chart) on
// a data file that grows between ticks, at 1 MB and at 1 GB.

#include "BenchFiles.h"
#include "QuietView.h"
#include "chart/Chart.h"
#include "monitor/EventPump.h"
#include "io/FileLines.h"
#include "monitor/LiveTick.h"
#include "monitor/MonitorContext.h"
#include "monitor/Monitor.h"
#include "text/TextDecoder.h"
#include "surface/RasterSurface.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LiveTick(benchmark::State& benchState) {
    const auto size = static_cast<std::uint64_t>(benchState.range(0)) << 20;
    if (size >= (std::uint64_t{1} << 30) && !largeBenchmarksEnabled()) {
        benchState.SkipWithError("set TRENDOLA_BENCH_LARGE=1 for the 1 GB case");
        return;
    }
    MonitorState state;
    LoadMonitorDefaults(state);
    state.dataFile = csvFileOfSize(size);
    state.column = 2;
    state.rescalePending = true;
    FileScan scan; // as applying the settings leaves it
    CountFileLines(state.dataFile, &scan);
    state.lastLineReader.continueFrom(state.dataFile, scan);

    QuietView view;
    RasterSurface surface(1000, 250);
    Chart chart(state, view, surface);
    EventPump pump(view);
    Utf8Decoder decoder;
    MonitorContext context{state, view, chart, pump, decoder};
    for (auto _ : benchState) {
        benchState.PauseTiming();
        appendCsv(state.dataFile, 40);
        benchState.ResumeTiming();
        liveTick(context);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_LiveTick)->Arg(1)->Arg(1024)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
