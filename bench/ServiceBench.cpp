// trendola-render --follow --serve: one tick of following (the picture
// rewritten after it, as --every 1 does) without the service, with the
// service running and idle, and with 30 clients asking it without pause;
// and what encoding the served pictures costs, which the service does on
// its own threads, once per tick and only when asked.

#include "BenchFiles.h"
#include "render/ChartScene.h"
#include "render/FollowWatch.h"
#include "render/RenderOptions.h"
#include "render/RenderSession.h"
#include "support/LoopbackHttp.h"
#include "text/TextDecoder.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>
#include <regex>
#include <thread>

namespace {

RenderOptions followOptions(bool serve) {
    RenderOptions options;
    options.settings.dataFile = csvFileOfSize(1 << 20);
    options.settings.column = 2;
    options.outDir = std::filesystem::path(options.dataFile()).parent_path().string();
    options.follow = true;
    options.format = ImageFormat::Png;
    options.annotate = true;
    if (serve)
        options.serve = ServeAddress{"127.0.0.1", 0};
    return options;
}

// Argument: 0 no service, 1 the service idle, 2 the service under load.
void BM_FollowTickServed(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const RenderOptions options = followOptions(mode > 0);
    Utf8Decoder decoder;
    RenderSession session(options, decoder);
    if (auto applied = session.apply(); !applied) {
        state.SkipWithError(applied.error().message.c_str());
        return;
    }
    std::string port;
    const RenderErrorSink errors = [&port](const std::string& message) {
        std::smatch found;
        if (std::regex_search(message, found, std::regex("serving http://127\\.0\\.0\\.1:([0-9]+)/")))
            port = found[1];
    };
    auto watch = FollowWatch::start(options, session, errors);
    if (!watch) {
        state.SkipWithError(watch.error().message.c_str());
        return;
    }
    std::atomic<bool> loading{mode == 2};
    std::atomic<std::int64_t> answered{0};
    std::vector<std::thread> clients;
    const char* paths[] = {"/state.json", "/metrics", "/chart.png", "/chart.svg", "/"};
    for (int c = 0; mode == 2 && c < 30; ++c)
        clients.emplace_back([&, c] {
            for (int r = c; loading; ++r)
                if (const auto reply = httpGet(std::stoi(port), paths[r % 5]); reply && reply->status == 200)
                    ++answered;
        });
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        state.PauseTiming();
        appendCsv(options.dataFile(), 40);
        state.ResumeTiming();
        benchmark::DoNotOptimize(session.followTick());
        benchmark::DoNotOptimize(session.savePicture());
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    loading = false;
    for (std::thread& client : clients)
        client.join();
    if (*watch)
        (*watch)->finish(session.view().summary());
    if (mode == 2)
        state.counters["requests_per_s"] = static_cast<double>(answered) / seconds;
}
BENCHMARK(BM_FollowTickServed)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Argument: 0 PNG, 1 SVG.
void BM_EncodeServedChart(benchmark::State& state) {
    const RenderOptions options = followOptions(false);
    Utf8Decoder decoder;
    RenderSession session(options, decoder);
    if (auto applied = session.apply(); !applied) {
        state.SkipWithError(applied.error().message.c_str());
        return;
    }
    for (int i = 0; i < 600; ++i) {
        appendCsv(options.dataFile(), 40);
        session.followTick();
    }
    const ChartScene scene = captureChartScene(session.monitor(), session.view().chartSwitches(),
                                               session.view().summary(), options);
    const ImageFormat format = state.range(0) == 0 ? ImageFormat::Png : ImageFormat::Svg;
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeChartScene(scene, format));
}
BENCHMARK(BM_EncodeServedChart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
