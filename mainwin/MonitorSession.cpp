#include "mainwin/MonitorSession.h"

#include "mainwin/MainWindow.h"
#include "models/Navigation.h"
#include "monitor/LiveTick.h"
#include "monitor/RunControl.h"
#include "surface/RotatedText.h"
#include "text/TextDecoder.h"

#include <QApplication>

#include <algorithm>

MonitorSession::MonitorSession(MainWindow& window, MessageBoxPresenter& messageBoxes,
                               std::unique_ptr<TextDecoder> decoder)
    : m_window(window), m_decoder(std::move(decoder)), m_view(window, m_monitor, messageBoxes),
      m_surface(std::max(1, window.graphSize().width()), std::max(1, window.graphSize().height()),
                window.graphDotsPerInch()),
      m_chart(m_surface, m_view), m_pump(m_view), m_context{m_monitor, m_view, m_chart, m_pump, *m_decoder},
      m_watch(window, m_monitor, [] { QApplication::beep(); }) {
    window.setGraphImageSource([this] { return &m_surface.image(); });
    m_surface.setChangedCallback([&window] { window.updateGraph(); });

    connect(&window, &MainWindow::runButtonToggled, this, [this](RunButton button) {
        runButtonToggled(m_context, button);
        m_watch.runButtonsChanged();
    });
    connect(&window, &MainWindow::resetRequested, this,
            [this] { reporting([this] { resetChart(m_context); }); });
    connect(&window, &MainWindow::pollTimedOut, this, [this] { m_watch.afterTick(liveTick(m_context)); });
    connect(&window, &MainWindow::watchSwitchesToggled, this, [this] { m_watch.switchesChanged(); });
    // The replay's labels tell how it ended.
    connect(&window, &MainWindow::pageChosen, this,
            [this](int page) { reporting([this, page] { (void)replayPage(m_context, page); }); });
    connect(&window, &MainWindow::pageModeToggled, this, [this] { pageModeSwitched(m_monitor, m_view); });
    connect(&window, &MainWindow::pointerMoved, this, [this](PointerButtons buttons, double y) {
        if (const auto tip = pointerValueTip(m_monitor.scale(), buttons, y))
            m_window.setGraphToolTip(QString::fromStdString(*tip));
    });
    connect(&window, &MainWindow::clearAllRequested, this, [this] {
        reporting([this] {
            m_surface.clearBackgroundPicture();
            resetChart(m_context);
        });
    });
    // The surface keeps as large as the graph, its pixels in place.
    connect(&window, &MainWindow::graphResized, this, [this] {
        m_surface.resize(std::max(1, m_window.graphSize().width()),
                         std::max(1, m_window.graphSize().height()));
    });
}

MonitorSession::~MonitorSession() {
    m_window.setGraphImageSource(nullptr);
}

void MonitorSession::reporting(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        m_view.showPlainMessage(fileErrorMessage(currentFailure()));
    }
}

void MonitorSession::drawRotatedText(int pointSize, const std::string& family, int angle, int bold,
                                     double topMm, double leftMm, const std::string& text) {
    RotatedFont font;
    font.height = fontHeightForPoints(pointSize, m_surface.logicalDpi());
    font.face = family;
    font.escapement = angle;
    font.bold = bold == -1;
    m_chart.moveToMillimetres(leftMm, topMm);
    m_surface.printRotatedText(text, font);
}
