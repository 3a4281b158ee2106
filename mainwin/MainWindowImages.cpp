// The graph image commands of the main window's menus.

#include "mainwin/MainWindow.h"
#include "secondary/ImageCommands.h"

#include <QAction>

void MainWindow::wireImageCommands(ImageCommands* commands) {
    m_imageCommands = commands;
    connect(loadImageAction, &QAction::triggered, this, &MainWindow::loadImage, Qt::UniqueConnection);
    connect(saveImageAction, &QAction::triggered, this, &MainWindow::saveImage, Qt::UniqueConnection);
    connect(printImageAction, &QAction::triggered, this, &MainWindow::printImage, Qt::UniqueConnection);
    connect(copyGraphAction, &QAction::triggered, this, &MainWindow::copyGraphToClipboard,
            Qt::UniqueConnection);
    for (QAction* item : {loadImageAction, saveImageAction, printImageAction, copyGraphAction})
        item->setEnabled(commands != nullptr);
}

void MainWindow::loadImage() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->load(); });
}

void MainWindow::saveImage() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->save(); });
}

void MainWindow::printImage() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->print(); });
}

void MainWindow::copyGraphToClipboard() {
    if (m_imageCommands)
        runHook([this] { m_imageCommands->copyToClipboard(); });
}
