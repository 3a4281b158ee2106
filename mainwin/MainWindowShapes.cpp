// The main window's shapes and places: graph only, parked at the top, the
// middle or the bottom of its screen, always on top, with or without its
// caption bar.

#include "mainwin/MainWindow.h"

#include "mainwin/ToggleTitleBar.h"
#include "widgets/SurfaceView.h"

#include <QAction>
#include <QRegion>
#include <QScreen>

void MainWindow::clipToGraph(bool withControlStrip) {
    clipToGraph(withControlStrip, frameGeometry());
}

void MainWindow::clipToGraph(bool withControlStrip, const QRect& frame) {
    // Only the graph shows: the window manager's frame goes too while the
    // shape lasts.
    removeFrameForShape(frame);
    // The mask is in the window's coordinates, where the client area starts
    // below the menu bar.
    const QPoint client = m_client->mapTo(this, QPoint(0, 0));
    const QRect graph = m_graphView->geometry();
    const PixelRect region = graphRegion({graph.x(), graph.y(), graph.width(), graph.height()}, client.x(),
                                         client.y(), withControlStrip);
    setMask(QRegion(region.left, region.top, region.width, region.height));
}

void MainWindow::clipToControls(QWidget& target) {
    const auto* mainWindow = qobject_cast<QMainWindow*>(&target);
    QWidget* content = mainWindow && mainWindow->centralWidget() ? mainWindow->centralWidget() : &target;
    QRegion controls;
    for (QWidget* control : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow() || control->size().isEmpty())
            continue;
        controls += QRect(control->mapTo(&target, QPoint(0, 0)), control->size());
    }
    // No control at all leaves the whole window, as an empty mask does.
    target.setMask(controls);
}

void MainWindow::onGraphMouseReleased() {
    clearMask();
    restoreFrameAfterShape();
}

void MainWindow::removeFrameForShape(const QRect& frame) {
    if (m_frameBeforeShape || windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    // The client area stays where it is on the screen, inside the frame as
    // the window manager draws it.
    const QRect client = QWidget::geometry();
    const QRect outer = frameGeometry();
    const QMargins strut(client.left() - outer.left(), client.top() - outer.top(),
                         outer.right() - client.right(), outer.bottom() - client.bottom());
    m_frameBeforeShape = frame;
    changeWindowFlag(*this, Qt::FramelessWindowHint, true);
    setGeometry(frame.marginsRemoved(strut));
}

void MainWindow::restoreFrameAfterShape() {
    if (!m_frameBeforeShape)
        return;
    const QPoint frame = m_frameBeforeShape->topLeft();
    m_frameBeforeShape.reset();
    changeWindowFlag(*this, Qt::FramelessWindowHint, false);
    // Where the frame was: a frame put around the client where it is now
    // could reach beyond the screen, and the window manager would move it.
    move(frame);
}

void MainWindow::onGraphDoubleClicked() {
    toggleTitleBar(*this, !m_titleBarHidden);
    m_titleBarHidden = !m_titleBarHidden;
}

void MainWindow::showGraphOnly() {
    clipToGraph(false);
}

void MainWindow::placeWindow(Placement placement) {
    // A maximised window would not take the strip's size.
    if (isMaximized() || isFullScreen() || isMinimized())
        showNormal();
    const QRect screenArea = screen()->geometry();
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const Twips screenHeight = twipsFromPixels(screenArea.height(), dpiY);
    // The sizes are the outer ones: the window manager's frame lies outside
    // the client area.
    const QSize frame = frameGeometry().size() - size();
    resize(screenArea.width() - frame.width(), pixelsFromTwips(kParkedHeight, dpiY) - frame.height());
    const QSize outer = frameGeometry().size();
    const Twips windowHeight = twipsFromPixels(outer.height(), dpiY);
    const QPoint parked(screenArea.left() + pixelsFromTwips(kParkedEdge, dpiX),
                        screenArea.top() +
                            pixelsFromTwips(parkedTop(placement, screenHeight, windowHeight), dpiY));
    move(parked);
    // Where the frame was asked to go: the window manager tells Qt only later.
    if (parksGraphOnly(placement))
        clipToGraph(true, QRect(parked, outer));
}

void MainWindow::toggleStayOnTop() {
    changeWindowFlag(*this, Qt::WindowStaysOnTopHint, m_stayOnTopAction->isChecked());
}
