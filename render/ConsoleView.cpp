#include "render/ConsoleView.h"

#include "monitor/EventPump.h"
#include "render/RenderOptions.h"

#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

ConsoleView::ConsoleView(const RenderOptions& options)
    : m_pageMode(options.pageMode), m_composite(options.composite), m_hideGrid(options.hideGrid),
      m_hideThreshold(options.hideThreshold), m_colour(options.seriesColour),
      m_terminal(::isatty(STDERR_FILENO) == 1), m_startMs(EventPump::nowMs()) {
    // The main window's captions before anything runs.
    m_summary.status = "Information";
    m_summary.valueLabels = {"Max: 0", "Now: 0", "Min: 0"};
    m_summary.scaleLabels = {"-", "-", "-", "-", "-"};
}

void ConsoleView::setScaleLabel(int index, const std::string& text) {
    m_summary.scaleLabels.at(static_cast<std::size_t>(index)) = text;
}

void ConsoleView::setValueLabel(ValueLabel label, const std::string& text) {
    m_summary.valueLabels.at(static_cast<std::size_t>(label)) = text;
}

void ConsoleView::showPlainMessage(const std::string& text) {
    if (m_following) {
        m_message = text;
        return;
    }
    const std::string line = terminalSafeText(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

void ConsoleView::showMessage(const std::string& text, int) {
    showPlainMessage(text);
}

void ConsoleView::letEventsRun() {
    if (m_eventHook)
        m_eventHook();
    // Only on a terminal, and only for replays long enough to wait for.
    if (!m_terminal || m_progress.bytesRead == 0 || EventPump::nowMs() - m_startMs < 1000)
        return;
    m_barShown = true;
    if (m_progress.totalBytes == 0) {
        std::fprintf(stderr, "\r%lld lines read", static_cast<long long>(m_progress.linesRead));
        std::fflush(stderr);
        return;
    }
    constexpr int kWidth = 40;
    const double fraction =
        std::min(1.0, static_cast<double>(m_progress.bytesRead) / static_cast<double>(m_progress.totalBytes));
    const int filled = static_cast<int>(fraction * kWidth);
    std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(),
                 static_cast<int>(fraction * 100));
    std::fflush(stderr);
}

void ConsoleView::waitForEvents(int maxMs) {
    letEventsRun();
    std::this_thread::sleep_for(std::chrono::milliseconds(maxMs));
}

void ConsoleView::endProgress() {
    if (m_barShown)
        std::fprintf(stderr, "\r%*s\r", 48, "");
    m_barShown = false;
}
