// The main window's navigation and view options: the page scroll bar, the
// page-mode switch, the value under the pointer and "全てｸﾘｱ"; and the wiring
// of these and of the window shapes to their controls.

#include "mainwin/MainWindow.h"

#include "monitor/Monitor.h"
#include "models/Navigation.h"
#include "widgets/SurfaceView.h"

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
    GraphPointer(MainWindow& window, SurfaceView& graph) : QObject(&graph), m_window(window), m_graph(graph) {
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
            m_window.onGraphMouseReleased();
            break;
        case QEvent::MouseButtonDblClick:
            m_window.onGraphDoubleClicked();
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
        m_window.onGraphMouseMove(mouse.buttons(), mouse.position().y() * 100.0 / m_graph.height());
        // A tip on show follows at once; otherwise it shows when the pointer rests.
        const QString tip = m_graph.toolTip();
        if (QToolTip::isVisible() && !tip.isEmpty() && QToolTip::text() != tip)
            QToolTip::showText(mouse.globalPosition().toPoint(), tip, &m_graph);
    }

    MainWindow& m_window;
    SurfaceView& m_graph;
};

} // namespace

void MainWindow::wireNavigationAndShapes() {
    // A dragged thumb chooses its page when it is let go, not on the way.
    pageScrollBar->setTracking(false);
    connect(pageScrollBar, &QScrollBar::valueChanged, this, &MainWindow::onPageScrollChanged);
    connect(pageModeCheck, &QCheckBox::toggled, this, &MainWindow::onPageModeToggled);
    // compositeCheck and the View menu's check items hold their state; drawing
    // and the pointer read it when they need it.
    connect(clearAllAction, &QAction::triggered, this, &MainWindow::clearAll);

    new GraphPointer(*this, *graphView);
    connect(graphOnlyAction, &QAction::triggered, this, &MainWindow::showGraphOnly);
    for (std::size_t i = 0; i < placementActions.size(); ++i)
        connect(placementActions[i], &QAction::triggered, this,
                [this, i] { placeWindow(static_cast<int>(i)); });
    connect(stayOnTopAction, &QAction::toggled, this, &MainWindow::toggleStayOnTop);

    for (QAction* item : {clearAllAction, stayOnTopAction, graphOnlyAction})
        item->setEnabled(true);
    for (QAction* item : placementActions)
        item->setEnabled(true);
}

void MainWindow::onPageScrollChanged() {
    const int page = pageScrollBar->value();
    if (!m_state.loaded || page <= 0)
        return;
    pagePositionLabel->setText(QStringLiteral("%1/%2").arg(page).arg(pageScrollBar->maximum()));
    setCursor(Qt::WaitCursor);
    runHook([this, page] {
        if (m_pageReplayHandler)
            m_pageReplayHandler(page);
    });
    unsetCursor();
}

void MainWindow::onPageModeToggled() {
    pageModeSwitched(m_state, *this);
}

void MainWindow::onGraphMouseMove(Qt::MouseButtons buttons, double y) {
    if (!showPointerValueAction->isChecked())
        return;
    int mask = 0;
    if (buttons.testFlag(Qt::LeftButton))
        mask |= kLeftButton;
    if (buttons.testFlag(Qt::RightButton))
        mask |= kRightButton;
    if (buttons.testFlag(Qt::MiddleButton))
        mask |= kMiddleButton;
    if (const auto tip = pointerValueTip(m_state, mask, y))
        graphView->setToolTip(QString::fromStdString(*tip));
}

void MainWindow::clearAll() {
    runHook(m_backgroundClearHandler);
    resetChart();
}
