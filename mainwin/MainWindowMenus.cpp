// The menus of the main window. Commands whose work is not built yet are
// present with their captions and shortcuts but disabled.

#include "mainwin/MainWindow.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* addItem(QMenu* menu, const QString& name, const QString& text, QKeyCombination shortcut = {},
                 bool enabled = false) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (shortcut.key() != Qt::Key_unknown)
        action->setShortcut(QKeySequence(shortcut));
    action->setEnabled(enabled);
    return action;
}

QAction* addCheckItem(QMenu* menu, const char* name, const QString& text, QKeyCombination shortcut = {}) {
    // A checkable action flips its own mark when chosen, which is all these do.
    QAction* action = addItem(menu, QLatin1String(name), text, shortcut, true);
    action->setCheckable(true);
    return action;
}

void addSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QKeyCombination ctrl(Qt::Key key) {
    return Qt::CTRL | key;
}

} // namespace

void MainWindow::createMenus() {
    QMenuBar* bar = menuBar();

    fileMenu = addMenu(bar, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F&ｵ)"));
    openDataFileAction =
        addItem(fileMenu, QStringLiteral("mnuDatLoad"), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読込"), ctrl(Qt::Key_S));
    addSeparator(fileMenu, "mnuFile01");
    loadImageAction = addItem(fileMenu, QStringLiteral("mnuLoad"), QStringLiteral("画像読込"), ctrl(Qt::Key_R));
    saveImageAction = addItem(fileMenu, QStringLiteral("mnuSave"), QStringLiteral("画像保存"), ctrl(Qt::Key_W));
    printImageAction = addItem(fileMenu, QStringLiteral("mnuPrint"), QStringLiteral("画像印刷"), ctrl(Qt::Key_P));
    addSeparator(fileMenu, "mnuFile02");
    quitAction =
        addItem(fileMenu, QStringLiteral("mnuExit"), QStringLiteral("終了(&Q&ｺ)"), ctrl(Qt::Key_Q), true);

    editMenu = addMenu(bar, "mnuEdit", QStringLiteral("編集(&E&ｵ)"));
    clearAllAction =
        addItem(editMenu, QStringLiteral("mnuWinAllClr"), QStringLiteral("全てｸﾘｱ"), ctrl(Qt::Key_X));
    copyGraphAction = addItem(editMenu, QStringLiteral("mnuViewClipBord"),
                              QStringLiteral("ｸﾞﾗﾌ画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"), ctrl(Qt::Key_C));

    viewMenu = addMenu(bar, "mnuView", QStringLiteral("表示(&V&ｵ)"));
    hideGridLinesAction =
        addCheckItem(viewMenu, "mnuWinNonMem", QStringLiteral("補助線を表示しない"), ctrl(Qt::Key_G));
    hideThresholdAction = addCheckItem(viewMenu, "mnuWinSetVal", QStringLiteral("しきい値を表示しない"));
    showPointerValueAction = addCheckItem(viewMenu, "mnuWinValView", QStringLiteral("ﾏｳｽ移動で値を表示する"));
    addSeparator(viewMenu, "mnuView01");
    previewSamplesAction = addItem(viewMenu, QStringLiteral("mnuViewDatPreview"),
                                QStringLiteral("表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示"), ctrl(Qt::Key_Z));

    windowMenu = addMenu(bar, "mnuWin", QStringLiteral("ｳｨﾝﾄﾞｳ(&W&ｵ)"));
    // A check item, so that the always-on-top state can be left again.
    stayOnTopAction = addItem(windowMenu, QStringLiteral("mnuWinMae"), QStringLiteral("ｳｨﾝﾄﾞｳを常に前面に表示する"));
    stayOnTopAction->setCheckable(true);
    graphOnlyAction = addItem(windowMenu, QStringLiteral("mnuWinGrpOnly"), QStringLiteral("ｸﾞﾗﾌのみの画面にする"));
    addSeparator(windowMenu, "mnuWin01");
    const QString positions[] = {QStringLiteral("画面上に表示する"), QStringLiteral("画面中央に表示する"),
                                 QStringLiteral("画面下に表示する"),
                                 QStringLiteral("ｸﾞﾗﾌのみにして画面上に表示する"),
                                 QStringLiteral("ｸﾞﾗﾌのみにして画面下に表示する")};
    const QKeyCombination positionKeys[] = {ctrl(Qt::Key_U), ctrl(Qt::Key_M), ctrl(Qt::Key_D), {}, {}};
    for (std::size_t i = 0; i < placementActions.size(); ++i)
        placementActions[i] =
            addItem(windowMenu, QStringLiteral("mnuWinPosition_%1").arg(i), positions[i], positionKeys[i]);

    helpMenu = addMenu(bar, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H&ｵ)"));
    aboutAction = addItem(helpMenu, QStringLiteral("mnuVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&I&ｺ)"));
}
