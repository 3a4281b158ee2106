// The main window's commands around data files and the secondary windows:
// "ﾃﾞｰﾀﾌｧｲﾙ読込", file drops, the data preview, the version window and
// rotated text on the graph.

#include "mainwin/MainWindow.h"

#include "mainwin/MonitorSession.h"
#include "surface/RotatedText.h"
#include "widgets/SurfaceView.h"
#include "secondary/FileDrops.h"
#include "secondary/SecondaryWindows.h"
#include "settings/SettingsDialogPort.h"

#include <QAction>

void MainWindow::wireFileCommands(SecondaryWindows& windows, MonitorSession& session) {
    m_secondaryWindows = &windows;
    m_monitorSession = &session;
    for (QAction* item : {openDataFileAction, previewSamplesAction, aboutAction})
        item->setEnabled(true);
    connect(openDataFileAction, &QAction::triggered, this, &MainWindow::openDataFile);
    connect(previewSamplesAction, &QAction::triggered, this, &MainWindow::previewSamples);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    new FileDropFilter(this, [this](const QMimeData& data) { onWindowDrop(data); });
    new FileDropFilter(graphView, [this](const QMimeData& data) { onGraphDrop(data); });
}

void MainWindow::openDataFile() {
    m_settingsDialog.showDialog();
}

void MainWindow::previewSamples() {
    if (!m_secondaryWindows)
        return;
    setCursor(Qt::WaitCursor);
    m_secondaryWindows->preview().showBufferedValues(m_state);
    unsetCursor();
}

void MainWindow::showAbout() {
    if (m_secondaryWindows)
        m_secondaryWindows->showAbout();
}

void MainWindow::onWindowDrop(const QMimeData& data) {
    try {
        const std::vector<std::string> files = droppedFiles(data);
        if (files.empty())
            return;
        m_settingsDialog.setDataFileText(files.front());
        m_settingsDialog.showDialog();
    } catch (...) {
        // A failed drop ends without a message.
    }
}

void MainWindow::onGraphDrop(const QMimeData& data) {
    onWindowDrop(data);
}

void MainWindow::drawRotatedText(std::int16_t FSize, const std::string& FName, std::int16_t FKakudo,
                              std::int16_t FBold, float Top, float Left, const std::string& myText) {
    if (!m_monitorSession)
        return;
    RotatedFont font;
    font.height = fontHeightForPoints(FSize, logicalDpiX());
    font.face = FName;
    font.escapement = FKakudo;
    font.bold = FBold == -1;
    m_monitorSession->chart().Locate(Left, Top);
    m_monitorSession->surface().printRotatedText(myText, font);
}
