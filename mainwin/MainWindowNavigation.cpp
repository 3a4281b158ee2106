// The main window's navigation: the page scroll bar, the page-mode switch and
// the pointer over the graph.

#include "mainwin/MainWindow.h"

#include "widgets/SurfaceView.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {

// Hands the graph's mouse events to the window and lets the graph have them
// too. It belongs to the graph and keeps its own pointer to it: the graph
// still gets events while the window around it is being destroyed, and only
// mouse events, which cannot come then, reach the window.
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
        if (m_graph.height() <= 0 || !m_window.pointerValueShown())
            return;
        const Qt::MouseButtons held = mouse.buttons();
        const PointerButtons buttons{held.testFlag(Qt::LeftButton), held.testFlag(Qt::RightButton),
                                     held.testFlag(Qt::MiddleButton)};
        // The chart's rows run from 0 at the top to 100 at the bottom.
        emit m_window.pointerMoved(buttons, mouse.position().y() * 100.0 / m_graph.height());
        // A tip on show follows at once; otherwise it shows when the pointer rests.
        const QString tip = m_graph.toolTip();
        if (QToolTip::isVisible() && !tip.isEmpty() && QToolTip::text() != tip)
            QToolTip::showText(mouse.globalPosition().toPoint(), tip, &m_graph);
    }

    MainWindow& m_window;
    SurfaceView& m_graph;
};

} // namespace

void MainWindow::connectNavigation() {
    // A dragged thumb chooses its page when it is let go, not on the way.
    m_pageScrollBar->setTracking(false);
    connect(m_pageScrollBar, &QScrollBar::valueChanged, this, &MainWindow::onPageScrollChanged);
    connect(m_pageModeCheck, &QCheckBox::toggled, this, &MainWindow::pageModeToggled);
    // The composite box and the View menu's check items hold their state;
    // drawing and the pointer read it when they need it.
    new GraphPointer(*this, *m_graphView);
}

void MainWindow::onPageScrollChanged() {
    const int page = m_pageScrollBar->value();
    if (!m_initialised || page <= 0)
        return;
    showPagePosition();
    withBusyPointer([this, page] { emit pageChosen(page); });
}
