// The main window's commands around data files and the secondary windows:
// "ﾃﾞｰﾀﾌｧｲﾙ読込", file drops, the data preview, the version window and
// rotated text on the graph.

#include "mainwin/frmMonMain.h"

#include "mainwin/MonitorSession.h"
#include "platform/surface/RotatedText.h"
#include "platform/widgets/SurfaceView.h"
#include "secondary/FileDrops.h"
#include "secondary/SecondaryWindows.h"
#include "settings/SettingsDialogPort.h"

#include <QAction>

void frmMonMain::wireFileCommands(SecondaryWindows& windows, MonitorSession& session) {
    m_secondaryWindows = &windows;
    m_monitorSession = &session;
    for (QAction* item : {mnuDatLoad, mnuViewDatPreview, mnuVersion})
        item->setEnabled(true);
    connect(mnuDatLoad, &QAction::triggered, this, &frmMonMain::mnuDatLoad_Click);
    connect(mnuViewDatPreview, &QAction::triggered, this, &frmMonMain::mnuViewDatPreview_Click);
    connect(mnuVersion, &QAction::triggered, this, &frmMonMain::mnuVersion_Click);
    new FileDropFilter(this, [this](const QMimeData& data) { Form_OLEDragDrop(data); });
    new FileDropFilter(picView, [this](const QMimeData& data) { picView_OLEDragDrop(data); });
}

void frmMonMain::mnuDatLoad_Click() {
    m_settingsDialog.showDialog();
}

void frmMonMain::mnuViewDatPreview_Click() {
    if (!m_secondaryWindows)
        return;
    setCursor(Qt::WaitCursor);
    m_secondaryWindows->preview().showBufferedValues(m_state);
    unsetCursor();
}

void frmMonMain::mnuVersion_Click() {
    if (m_secondaryWindows)
        m_secondaryWindows->showAbout();
}

void frmMonMain::Form_OLEDragDrop(const QMimeData& data) {
    try {
        const std::vector<std::string> files = droppedFiles(data);
        if (files.empty())
            return;
        m_settingsDialog.setTxtInFile(files.front());
        m_settingsDialog.showDialog();
    } catch (...) {
        // A failed drop ends without a message.
    }
}

void frmMonMain::picView_OLEDragDrop(const QMimeData& data) {
    Form_OLEDragDrop(data);
}

void frmMonMain::sFontPreview(std::int16_t FSize, const std::string& FName, std::int16_t FKakudo,
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
