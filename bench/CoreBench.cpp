// Speed of the acquisition core: field extraction, last-line reading on a
// growing file, and line counting beside wc -l.

#include "BenchFiles.h"
#include "io/FileLines.h"
#include "io/LastLineReader.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

constexpr std::uint64_t kMB = 1 << 20;
constexpr std::uint64_t kGB = kMB << 10;

// Field `column` of `line` split at commas and read as a number, as a replay
// does for each line.
void fieldAndValue(benchmark::State& state, std::string_view line, int column) {
    const FieldRule rule = fieldRuleFor("カンマ", false);
    double sum = 0;
    for (auto _ : state) {
        if (const auto field = extractField(line, column, rule))
            if (const auto value = numericValue(*field))
                sum += *value;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_FieldAndValue(benchmark::State& state) {
    fieldAndValue(state, "2026-12-06 20:15:01,23.456,1013.25,45,OK", 3);
}
BENCHMARK(BM_FieldAndValue);

// A field far into a wide line: every field start is looked at for a quote.
void BM_FieldAndValueWideLine(benchmark::State& state) {
    std::string line = "2026-12-06 20:15:01";
    for (int i = 1; i < 50; ++i)
        line += "," + std::to_string(i * 7) + ".5";
    fieldAndValue(state, line, 40);
}
BENCHMARK(BM_FieldAndValueWideLine);

// The line of BM_FieldAndValue as a spreadsheet writes it.
void BM_FieldAndValueQuoted(benchmark::State& state) {
    fieldAndValue(state, R"("2026-12-06 20:15:01","23.456","1013.25","45","OK")", 3);
}
BENCHMARK(BM_FieldAndValueQuoted);

// One call per iteration on a file that grows by about 1 KB between calls,
// the way a live tick meets it. The reader continues from the count applying made.
void BM_ReadLastLineGrowing(benchmark::State& state) {
    const auto size = static_cast<std::uint64_t>(state.range(0)) * kMB;
    if (size >= kGB && !largeBenchmarksEnabled()) {
        state.SkipWithError("set TRENDOLA_BENCH_LARGE=1 for the 1 GB case");
        return;
    }
    const std::string& path = csvFileOfSize(size);
    FileScan scan;
    if (!countFileLines(path, &scan)) {
        state.SkipWithError("the data file cannot be counted");
        return;
    }
    LastLineReader reader;
    reader.continueFrom(path, scan);
    for (auto _ : state) {
        state.PauseTiming();
        appendCsv(path, 1024);
        state.ResumeTiming();
        const auto last = reader.read(path);
        if (!last)
            state.SkipWithError(last.error().message.c_str());
        benchmark::DoNotOptimize(last);
    }
}
BENCHMARK(BM_ReadLastLineGrowing)->Arg(1)->Arg(1024)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A file whose only line never ends (digits without a line end) growing by
// 1 KB between calls: the line is read only as far as a record can reach,
// so a call costs what was appended, not the line's length.
void BM_ReadLastLineUnterminated(benchmark::State& state) {
    const auto size = static_cast<std::uint64_t>(state.range(0)) * kMB;
    const std::string path = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                             "/trendola-bench-unterminated-" + std::to_string(size);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        const std::string block(kMB, '7');
        for (std::uint64_t done = 0; done < size; done += kMB)
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    LastLineReader reader;
    (void)reader.read(path); // the first count, as applying makes it
    const std::string more(1024, '7');
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary | std::ios::app).write(more.data(), 1024);
        state.ResumeTiming();
        const auto last = reader.read(path);
        if (!last)
            state.SkipWithError(last.error().message.c_str());
        benchmark::DoNotOptimize(last);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadLastLineUnterminated)->Arg(1)->Arg(200)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_CountFileLines(benchmark::State& state) {
    if (!largeBenchmarksEnabled()) {
        state.SkipWithError("set TRENDOLA_BENCH_LARGE=1 for the 1 GB case");
        return;
    }
    const std::string& path = csvFileOfSize(kGB);
    (void)countFileLines(path); // into the page cache
    for (auto _ : state)
        benchmark::DoNotOptimize(countFileLines(path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGB));
}
BENCHMARK(BM_CountFileLines)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: wc -l on the same file, as a whole process.
void BM_WcL(benchmark::State& state) {
    if (!largeBenchmarksEnabled()) {
        state.SkipWithError("set TRENDOLA_BENCH_LARGE=1 for the 1 GB case");
        return;
    }
    const std::string command = "wc -l " + csvFileOfSize(kGB) + " > /dev/null";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("wc failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kGB));
}
BENCHMARK(BM_WcL)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
