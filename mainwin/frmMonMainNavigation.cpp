// The main window's navigation and view options: the page scroll bar, the
// page-mode switch, the value under the pointer and "全てｸﾘｱ"; and the wiring
// of these and of the window shapes to their controls.

#include "mainwin/frmMonMain.h"

#include "core/MonitorState.h"
#include "core/Navigation.h"
#include "platform/widgets/SurfaceView.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {

// Hands the graph's mouse events to the window's handlers and lets the graph
// have them too. It belongs to the graph and keeps its own pointer to it: the
// graph still gets events while the window around it is being destroyed, and
// only mouse events, which cannot come then, reach the window.
class GraphPointer : public QObject {
public:
    GraphPointer(frmMonMain& window, SurfaceView& graph) : QObject(&graph), m_window(window), m_graph(graph) {
        // The value under the pointer follows moves without a button held too.
        graph.setMouseTracking(true);
        graph.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_graph)
            return false;
        switch (event->type()) {
        case QEvent::MouseMove:
            moved(*static_cast<QMouseEvent*>(event));
            break;
        case QEvent::MouseButtonRelease:
            m_window.picView_MouseUp();
            break;
        case QEvent::MouseButtonDblClick:
            m_window.picView_DblClick();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void moved(const QMouseEvent& mouse) {
        if (m_graph.height() <= 0)
            return;
        // The chart's rows run from 0 at the top to 100 at the bottom.
        m_window.picView_MouseMove(mouse.buttons(), mouse.position().y() * 100.0 / m_graph.height());
        // A tip on show follows at once; otherwise it shows when the pointer rests.
        const QString tip = m_graph.toolTip();
        if (QToolTip::isVisible() && !tip.isEmpty() && QToolTip::text() != tip)
            QToolTip::showText(mouse.globalPosition().toPoint(), tip, &m_graph);
    }

    frmMonMain& m_window;
    SurfaceView& m_graph;
};

} // namespace

void frmMonMain::wireNavigationAndShapes() {
    // A dragged thumb chooses its page when it is let go, not on the way.
    scrH->setTracking(false);
    connect(scrH, &QScrollBar::valueChanged, this, &frmMonMain::scrH_Change);
    connect(chkReDraw, &QCheckBox::toggled, this, &frmMonMain::chkReDraw_Click);
    // chkMultView and the View menu's check items hold their state; drawing
    // and the pointer read it when they need it.
    connect(mnuWinAllClr, &QAction::triggered, this, &frmMonMain::mnuWinAllClr_Click);

    new GraphPointer(*this, *picView);
    connect(mnuWinGrpOnly, &QAction::triggered, this, &frmMonMain::mnuWinGrpOnly_Click);
    for (std::size_t i = 0; i < mnuWinPosition.size(); ++i)
        connect(mnuWinPosition[i], &QAction::triggered, this,
                [this, i] { mnuWinPosition_Click(static_cast<int>(i)); });
    connect(mnuWinMae, &QAction::toggled, this, &frmMonMain::mnuWinMae_Click);

    for (QAction* item : {mnuWinAllClr, mnuWinMae, mnuWinGrpOnly})
        item->setEnabled(true);
    for (QAction* item : mnuWinPosition)
        item->setEnabled(true);
}

void frmMonMain::scrH_Change() {
    const int page = scrH->value();
    if (!m_state.blnLoaded || page <= 0)
        return;
    lblScrH->setText(QStringLiteral("%1/%2").arg(page).arg(scrH->maximum()));
    setCursor(Qt::WaitCursor);
    runHook([this, page] {
        if (m_pageReplayHandler)
            m_pageReplayHandler(page);
    });
    unsetCursor();
}

void frmMonMain::chkReDraw_Click() {
    pageModeSwitched(m_state, *this);
}

void frmMonMain::picView_MouseMove(Qt::MouseButtons buttons, double y) {
    if (!mnuWinValView->isChecked())
        return;
    int mask = 0;
    if (buttons.testFlag(Qt::LeftButton))
        mask |= kLeftButton;
    if (buttons.testFlag(Qt::RightButton))
        mask |= kRightButton;
    if (buttons.testFlag(Qt::MiddleButton))
        mask |= kMiddleButton;
    if (const auto tip = pointerValueTip(m_state, mask, y))
        picView->setToolTip(QString::fromStdString(*tip));
}

void frmMonMain::mnuWinAllClr_Click() {
    runHook(m_backgroundClearHandler);
    cmdInit_Click();
}
