// The main window's shapes and places: graph only, parked at the top, the
// middle or the bottom of its screen, always on top, with or without its
// caption bar.

#include "mainwin/MainWindow.h"

#include "monitor/Monitor.h"
#include "mainwin/ToggleTitleBar.h"
#include "mainwin/WindowShape.h"
#include "widgets/SurfaceView.h"

#include <QAction>
#include <QRegion>
#include <QScreen>

void MainWindow::clipToGraph(std::int16_t iType) {
    // The mask is in the window's coordinates, where the client area starts
    // below the menu bar.
    const QPoint client = m_client->mapTo(this, QPoint(0, 0));
    const QRect graph = graphView->geometry();
    const PixelRect region =
        graphRegion({graph.x(), graph.y(), graph.width(), graph.height()}, client.x(), client.y(), iType);
    setMask(QRegion(region.left, region.top, region.width, region.height));
}

void MainWindow::clipToControls(QWidget& tForm) {
    const auto* mainWindow = qobject_cast<QMainWindow*>(&tForm);
    QWidget* content = mainWindow && mainWindow->centralWidget() ? mainWindow->centralWidget() : &tForm;
    QRegion controls;
    for (QWidget* control : content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow() || control->size().isEmpty())
            continue;
        controls += QRect(control->mapTo(&tForm, QPoint(0, 0)), control->size());
    }
    // No control at all leaves the whole window, as an empty mask does.
    tForm.setMask(controls);
}

void MainWindow::onGraphMouseReleased() {
    clearMask();
}

void MainWindow::onGraphDoubleClicked() {
    if (m_state.titleBarHidden) {
        toggleTitleBar(*this, false);
        m_state.titleBarHidden = false;
    } else {
        toggleTitleBar(*this, true);
        m_state.titleBarHidden = true;
    }
}

void MainWindow::showGraphOnly() {
    clipToGraph(0);
}

void MainWindow::placeWindow(int index) {
    if (index < 0 || index > 4)
        return;
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
    const Twips windowHeight = twipsFromPixels(frameGeometry().height(), dpiY);
    if (parkedGraphOnly(index))
        clipToGraph(1);
    move(screenArea.left() + pixelsFromTwips(kParkedEdge, dpiX),
         screenArea.top() + pixelsFromTwips(*parkedTop(index, screenHeight, windowHeight), dpiY));
}

void MainWindow::toggleStayOnTop() {
    changeWindowFlag(*this, Qt::WindowStaysOnTopHint, stayOnTopAction->isChecked());
}
