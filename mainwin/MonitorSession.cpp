#include "mainwin/MonitorSession.h"

#include "core/LiveMonitor.h"
#include "core/MonitorState.h"
#include "core/Navigation.h"
#include "core/RunControl.h"
#include "core/TextDecoder.h"
#include "mainwin/frmMonMain.h"
#include "platform/widgets/SurfaceView.h"

#include <QEvent>

MonitorSession::MonitorSession(MonitorState& state, frmMonMain& window, std::unique_ptr<TextDecoder> decoder)
    : m_window(window), m_decoder(std::move(decoder)),
      m_surface(std::max(1, window.picView->width()), std::max(1, window.picView->height()),
                window.picView->logicalDpiX()),
      m_chart(state, window, m_surface),
      m_pump(window), m_context{state, window, m_chart, m_pump, *m_decoder} {
    SurfaceView* view = window.picView;
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
    m_window.picView->removeEventFilter(this);
    m_window.picView->setImageSource(nullptr);
    m_window.setRunButtonHandler(nullptr);
    m_window.setInitHandler(nullptr);
    m_window.setTimerHandler(nullptr);
    m_window.setPageReplayHandler(nullptr);
    m_window.setBackgroundClearHandler(nullptr);
}

bool MonitorSession::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window.picView && event->type() == QEvent::Resize)
        m_surface.resize(std::max(1, m_window.picView->width()), std::max(1, m_window.picView->height()));
    return QObject::eventFilter(watched, event);
}
