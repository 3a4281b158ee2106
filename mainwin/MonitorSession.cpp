#include "mainwin/MonitorSession.h"

#include "monitor/LiveTick.h"
#include "monitor/Monitor.h"
#include "models/Navigation.h"
#include "monitor/RunControl.h"
#include "text/TextDecoder.h"
#include "mainwin/MainWindow.h"
#include "widgets/SurfaceView.h"

#include <QEvent>

MonitorSession::MonitorSession(MonitorState& state, MainWindow& window, std::unique_ptr<TextDecoder> decoder)
    : m_window(window), m_decoder(std::move(decoder)),
      m_surface(std::max(1, window.graphView->width()), std::max(1, window.graphView->height()),
                window.graphView->logicalDpiX()),
      m_chart(state, window, m_surface),
      m_pump(window), m_context{state, window, m_chart, m_pump, *m_decoder} {
    SurfaceView* view = window.graphView;
    view->setImageSource([this] { return &m_surface.image(); });
    m_surface.setChangedCallback([view] { view->update(); });
    view->installEventFilter(this);

    window.setRunButtonHandler([this](int index) { runButtonChanged(m_context, index); });
    window.setInitHandler([this] { resetChart(m_context); });
    window.setTimerHandler([this] { liveTick(m_context); });
    // The replay's labels tell how it ended.
    window.setPageReplayHandler([this](int page) { (void)replayPage(m_context, page); });
    window.setBackgroundClearHandler([this] { m_surface.clearBackgroundPicture(); });
}

MonitorSession::~MonitorSession() {
    m_window.graphView->removeEventFilter(this);
    m_window.graphView->setImageSource(nullptr);
    m_window.setRunButtonHandler(nullptr);
    m_window.setInitHandler(nullptr);
    m_window.setTimerHandler(nullptr);
    m_window.setPageReplayHandler(nullptr);
    m_window.setBackgroundClearHandler(nullptr);
}

bool MonitorSession::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window.graphView && event->type() == QEvent::Resize)
        m_surface.resize(std::max(1, m_window.graphView->width()), std::max(1, m_window.graphView->height()));
    return QObject::eventFilter(watched, event);
}
