// The graph image commands of the main window's menus.

#include "mainwin/frmMonMain.h"
#include "secondary/ImageCommands.h"

#include <QAction>

void frmMonMain::wireImageCommands(ImageCommands* commands) {
    m_imageCommands = commands;
    connect(mnuLoad, &QAction::triggered, this, &frmMonMain::mnuLoad_Click, Qt::UniqueConnection);
    connect(mnuSave, &QAction::triggered, this, &frmMonMain::mnuSave_Click, Qt::UniqueConnection);
    connect(mnuPrint, &QAction::triggered, this, &frmMonMain::mnuPrint_Click, Qt::UniqueConnection);
    connect(mnuViewClipBord, &QAction::triggered, this, &frmMonMain::mnuViewClipBord_Click,
            Qt::UniqueConnection);
    for (QAction* item : {mnuLoad, mnuSave, mnuPrint, mnuViewClipBord})
        item->setEnabled(commands != nullptr);
}

void frmMonMain::mnuLoad_Click() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->load(); });
}

void frmMonMain::mnuSave_Click() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->save(); });
}

void frmMonMain::mnuPrint_Click() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->print(); });
}

void frmMonMain::mnuViewClipBord_Click() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->copyToClipboard(); });
}
