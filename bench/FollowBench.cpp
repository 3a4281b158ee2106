// trendola-render --follow: one tick on a data file that grows between
// ticks, at 1 MB and at 1 GB, alone and with the picture rewritten after it
// (as --every 1 does), plain and annotated.

#include "BenchFiles.h"
#include "render/RenderOptions.h"
#include "render/RenderSession.h"
#include "text/TextDecoder.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

void BM_FollowTick(benchmark::State& benchState) {
    const auto size = static_cast<std::uint64_t>(benchState.range(0)) << 20;
    const bool picture = benchState.range(1) != 0;
    if (size >= (std::uint64_t{1} << 30) && !largeBenchmarksEnabled()) {
        benchState.SkipWithError("set TRENDOLA_BENCH_LARGE=1 for the 1 GB case");
        return;
    }
    RenderOptions options;
    options.settings.dataFile = csvFileOfSize(size);
    options.settings.column = 2;
    options.outDir = std::filesystem::path(options.dataFile()).parent_path().string();
    options.follow = true;
    options.annotate = benchState.range(1) == 2;
    Utf8Decoder decoder;
    RenderSession session(options, decoder);
    if (auto applied = session.apply(); !applied) {
        benchState.SkipWithError(applied.error().message.c_str());
        return;
    }
    for (auto _ : benchState) {
        benchState.PauseTiming();
        appendCsv(options.dataFile(), 40);
        benchState.ResumeTiming();
        benchmark::DoNotOptimize(session.followTick());
        if (picture)
            benchmark::DoNotOptimize(session.savePicture());
    }
}
// Arguments: megabytes, then 0 tick only, 1 with the picture, 2 annotated.
BENCHMARK(BM_FollowTick)->ArgsProduct({{1, 1024}, {0, 1, 2}})->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
