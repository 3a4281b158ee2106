// A full-speed replay of a 1-million-line file in the real main window
// (offscreen), in normal and in page mode, and how soon a click on S&Ttop
// stops a running replay.

#include "BenchFiles.h"
#include "mainwin/MainProgram.h"
#include "models/DialogModel.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsDialogHost.h"
#include "support/FakeMessageBoxes.h"
#include "text/TextDecoder.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

// The program started on `data` with the settings applied as the user does.
struct ReplayWindow {
    FakeMessageBoxes boxes;
    MainProgram program{std::make_unique<Utf8Decoder>(), boxes, [](auto&&...) { return FileChoice{}; },
                        [](QWidget*, const std::string&) { return std::string(); }};

    ReplayWindow(const std::string& data, bool pageMode) {
        program.setQuitHandler([] {});
        program.start({});
        (void)QTest::qWaitForWindowExposed(&program.mainWindow());
        program.settings().setDataFileText(data);
        program.settings().model().setSpinValue(2); // the value field
        control<QPushButton>(*program.settings().window(), controlName(DialogControl::applyButton)).click();
        control<QCheckBox>(program.mainWindow(), "chkReDraw").setChecked(pageMode);
    }
    // A window's control by its object name.
    template <class Widget> static Widget& control(const QWidget& window, std::string_view name) {
        return *window.findChild<Widget*>(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    // Presses Re&Play; returns when the replay has ended.
    void replay() { control<QPushButton>(program.mainWindow(), "chkStart_1").click(); }
    // Clicks S&Ttop.
    void stop() { control<QPushButton>(program.mainWindow(), "chkStart_0").click(); }
};

void BM_WindowReplay(benchmark::State& benchState) {
    ReplayWindow window(csvFileOfLines(1'000'000), benchState.range(0) == 1);
    for (auto _ : benchState)
        window.replay();
    benchState.SetItemsProcessed(benchState.iterations() * 1'000'000);
}
BENCHMARK(BM_WindowReplay)
    ->ArgName("page")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

// Milliseconds from the moment a click on S&Ttop is due (100 ms into the
// replay) to the end of the replay: the wait for the replay to let events
// run, the click, and the replay's stop.
void BM_StopLatency(benchmark::State& benchState) {
    ReplayWindow window(csvFileOfLines(10'000'000), false);
    double worst = 0;
    for (auto _ : benchState) {
        QElapsedTimer sinceStart;
        sinceStart.start();
        QTimer::singleShot(100, &window.program.mainWindow(), [&] { window.stop(); });
        window.replay();
        worst = std::max(worst, sinceStart.nsecsElapsed() / 1e6 - 100);
    }
    benchState.counters["worst_stop_ms"] = worst;
}
BENCHMARK(BM_StopLatency)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
