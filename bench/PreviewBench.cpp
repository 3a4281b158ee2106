// The preview of a large data file, from showFilePreview's call to the
// window's first paint, in the real preview window (offscreen); the text box
// against the toolkit's own plain-text editor on a smaller file; and the
// buffered values of a full 1-million-slot buffer.

#include "BenchFiles.h"
#include "largetext/LargeTextEdit.h"
#include "models/MessageBox.h"
#include "monitor/SampleRing.h"
#include "secondary/FilePreview.h"
#include "secondary/PreviewWindow.h"
#include "support/FakeMessageBoxes.h"
#include "text/TextDecoder.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

struct PreviewFixture {
    Utf8Decoder codec;
    FakeMessageBoxes boxes;
    FilePreview preview{PreviewServices{.codec = codec, .messageBoxes = boxes}};

    // The window's text box, which it keeps to itself.
    LargeTextEdit& textEdit() const {
        return *preview.window()->findChild<LargeTextEdit*>(QStringLiteral("txtEdit"));
    }
};

// The whole file into the preview window, shown and painted.
void BM_PreviewWholeFile(benchmark::State& benchState) {
    const std::string& file = csvFileOfSize(static_cast<std::uint64_t>(benchState.range(0)) << 20);
    PreviewFixture fixture;
    for (auto _ : benchState) {
        if (!fixture.preview.showFilePreview(file, 0))
            benchState.SkipWithError("the preview failed");
        fixture.textEdit().viewport()->repaint();
    }
    benchState.counters["lines"] = static_cast<double>(fixture.preview.window()->lineCount());
    benchState.SetBytesProcessed(benchState.iterations() * (benchState.range(0) << 20));
}
BENCHMARK(BM_PreviewWholeFile)->ArgName("MB")->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// The toolkit's own editor with the same text: a block per line.
void BM_PlainTextEditWholeFile(benchmark::State& benchState) {
    QFile file(QString::fromStdString(csvFileOfSize(static_cast<std::uint64_t>(benchState.range(0)) << 20)));
    if (!file.open(QIODevice::ReadOnly))
        benchState.SkipWithError("no file");
    const QString text = QString::fromUtf8(file.readAll());
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.show();
    for (auto _ : benchState) {
        edit.setPlainText(text);
        edit.viewport()->repaint();
    }
    benchState.SetBytesProcessed(benchState.iterations() * (benchState.range(0) << 20));
}
BENCHMARK(BM_PlainTextEditWholeFile)
    ->ArgName("MB")
    ->Arg(1)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// "表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示" with every slot of a 1-million-slot buffer filled.
void BM_PreviewBufferedValues(benchmark::State& benchState) {
    constexpr int kPoints = 1'000'000;
    std::vector<Sample> values(kPoints + 1);
    for (std::size_t slot = 0; slot < values.size(); ++slot)
        values[slot].value = 20 + static_cast<double>(slot % 1000) / 7;
    SampleRing samples(1, kPoints);
    samples.adopt(std::move(values));
    // Once round the ring and on to slot 1234, as a replay moves.
    while (!samples.wrapped() || samples.newestSlot() < 1234)
        samples.advanceReplayPosition();
    PreviewFixture fixture;
    for (auto _ : benchState) {
        fixture.preview.showBufferedValues(samples);
        fixture.textEdit().viewport()->repaint();
    }
}
BENCHMARK(BM_PreviewBufferedValues)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
