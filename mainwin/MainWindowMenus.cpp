// The menus of the main window, with their captions and shortcuts; the
// commands reach their work through the window's signals.

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

QAction* addItem(QMenu* menu, const QString& name, const QString& text, QKeyCombination shortcut = {}) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    if (shortcut.key() != Qt::Key_unknown)
        action->setShortcut(QKeySequence(shortcut));
    return action;
}

QAction* addCheckItem(QMenu* menu, const char* name, const QString& text, QKeyCombination shortcut = {}) {
    // A checkable action flips its own mark when chosen, which is all these do.
    QAction* action = addItem(menu, QLatin1String(name), text, shortcut);
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

    m_fileMenu = addMenu(bar, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F&ｵ)"));
    m_openDataFileAction =
        addItem(m_fileMenu, QStringLiteral("mnuDatLoad"), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読込"), ctrl(Qt::Key_S));
    addSeparator(m_fileMenu, "mnuFile01");
    m_loadImageAction =
        addItem(m_fileMenu, QStringLiteral("mnuLoad"), QStringLiteral("画像読込"), ctrl(Qt::Key_R));
    m_saveImageAction =
        addItem(m_fileMenu, QStringLiteral("mnuSave"), QStringLiteral("画像保存"), ctrl(Qt::Key_W));
    m_printImageAction =
        addItem(m_fileMenu, QStringLiteral("mnuPrint"), QStringLiteral("画像印刷"), ctrl(Qt::Key_P));
    addSeparator(m_fileMenu, "mnuFile02");
    m_quitAction =
        addItem(m_fileMenu, QStringLiteral("mnuExit"), QStringLiteral("終了(&Q&ｺ)"), ctrl(Qt::Key_Q));

    m_editMenu = addMenu(bar, "mnuEdit", QStringLiteral("編集(&E&ｵ)"));
    m_clearAllAction =
        addItem(m_editMenu, QStringLiteral("mnuWinAllClr"), QStringLiteral("全てｸﾘｱ"), ctrl(Qt::Key_X));
    m_copyGraphAction = addItem(m_editMenu, QStringLiteral("mnuViewClipBord"),
                                QStringLiteral("ｸﾞﾗﾌ画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"), ctrl(Qt::Key_C));

    m_viewMenu = addMenu(bar, "mnuView", QStringLiteral("表示(&V&ｵ)"));
    m_hideGridLinesAction =
        addCheckItem(m_viewMenu, "mnuWinNonMem", QStringLiteral("補助線を表示しない"), ctrl(Qt::Key_G));
    m_hideThresholdAction = addCheckItem(m_viewMenu, "mnuWinSetVal", QStringLiteral("しきい値を表示しない"));
    m_showPointerValueAction =
        addCheckItem(m_viewMenu, "mnuWinValView", QStringLiteral("ﾏｳｽ移動で値を表示する"));
    m_showStaleAction = addCheckItem(m_viewMenu, "mnuViewStale", QStringLiteral("更新停止を表示する"));
    m_thresholdAlarmAction =
        addCheckItem(m_viewMenu, "mnuViewAlarm", QStringLiteral("しきい値超えを知らせる"));
    addSeparator(m_viewMenu, "mnuView01");
    m_previewSamplesAction = addItem(m_viewMenu, QStringLiteral("mnuViewDatPreview"),
                                     QStringLiteral("表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示"), ctrl(Qt::Key_Z));

    m_windowMenu = addMenu(bar, "mnuWin", QStringLiteral("ｳｨﾝﾄﾞｳ(&W&ｵ)"));
    // A check item, so that the always-on-top state can be left again.
    m_stayOnTopAction =
        addItem(m_windowMenu, QStringLiteral("mnuWinMae"), QStringLiteral("ｳｨﾝﾄﾞｳを常に前面に表示する"));
    m_stayOnTopAction->setCheckable(true);
    m_graphOnlyAction =
        addItem(m_windowMenu, QStringLiteral("mnuWinGrpOnly"), QStringLiteral("ｸﾞﾗﾌのみの画面にする"));
    addSeparator(m_windowMenu, "mnuWin01");
    const QString positions[] = {QStringLiteral("画面上に表示する"), QStringLiteral("画面中央に表示する"),
                                 QStringLiteral("画面下に表示する"),
                                 QStringLiteral("ｸﾞﾗﾌのみにして画面上に表示する"),
                                 QStringLiteral("ｸﾞﾗﾌのみにして画面下に表示する")};
    const QKeyCombination positionKeys[] = {ctrl(Qt::Key_U), ctrl(Qt::Key_M), ctrl(Qt::Key_D), {}, {}};
    for (std::size_t i = 0; i < m_placementActions.size(); ++i)
        m_placementActions[i] =
            addItem(m_windowMenu, QStringLiteral("mnuWinPosition_%1").arg(i), positions[i], positionKeys[i]);

    m_helpMenu = addMenu(bar, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H&ｵ)"));
    m_aboutAction = addItem(m_helpMenu, QStringLiteral("mnuVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&Iｺ)"));
}
