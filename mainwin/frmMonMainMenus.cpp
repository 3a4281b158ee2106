// The menus of the main window. Commands whose work is not built yet are
// present with their captions and shortcuts but disabled.

#include "mainwin/frmMonMain.h"

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

void frmMonMain::createMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = addMenu(bar, "mnuFile", QStringLiteral("ﾌｧｲﾙ(&F&ｵ)"));
    mnuDatLoad =
        addItem(mnuFile, QStringLiteral("mnuDatLoad"), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ読込"), ctrl(Qt::Key_S));
    addSeparator(mnuFile, "mnuFile01");
    mnuLoad = addItem(mnuFile, QStringLiteral("mnuLoad"), QStringLiteral("画像読込"), ctrl(Qt::Key_R));
    mnuSave = addItem(mnuFile, QStringLiteral("mnuSave"), QStringLiteral("画像保存"), ctrl(Qt::Key_W));
    mnuPrint = addItem(mnuFile, QStringLiteral("mnuPrint"), QStringLiteral("画像印刷"), ctrl(Qt::Key_P));
    addSeparator(mnuFile, "mnuFile02");
    mnuExit =
        addItem(mnuFile, QStringLiteral("mnuExit"), QStringLiteral("終了(&Q&ｺ)"), ctrl(Qt::Key_Q), true);

    mnuEdit = addMenu(bar, "mnuEdit", QStringLiteral("編集(&E&ｵ)"));
    mnuWinAllClr =
        addItem(mnuEdit, QStringLiteral("mnuWinAllClr"), QStringLiteral("全てｸﾘｱ"), ctrl(Qt::Key_X));
    mnuViewClipBord = addItem(mnuEdit, QStringLiteral("mnuViewClipBord"),
                              QStringLiteral("ｸﾞﾗﾌ画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ"), ctrl(Qt::Key_C));

    mnuView = addMenu(bar, "mnuView", QStringLiteral("表示(&V&ｵ)"));
    mnuWinNonMem =
        addCheckItem(mnuView, "mnuWinNonMem", QStringLiteral("補助線を表示しない"), ctrl(Qt::Key_G));
    mnuWinSetVal = addCheckItem(mnuView, "mnuWinSetVal", QStringLiteral("しきい値を表示しない"));
    mnuWinValView = addCheckItem(mnuView, "mnuWinValView", QStringLiteral("ﾏｳｽ移動で値を表示する"));
    addSeparator(mnuView, "mnuView01");
    mnuViewDatPreview = addItem(mnuView, QStringLiteral("mnuViewDatPreview"),
                                QStringLiteral("表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示"), ctrl(Qt::Key_Z));

    mnuWin = addMenu(bar, "mnuWin", QStringLiteral("ｳｨﾝﾄﾞｳ(&W&ｵ)"));
    // A check item, so that the always-on-top state can be left again.
    mnuWinMae = addItem(mnuWin, QStringLiteral("mnuWinMae"), QStringLiteral("ｳｨﾝﾄﾞｳを常に前面に表示する"));
    mnuWinMae->setCheckable(true);
    mnuWinGrpOnly = addItem(mnuWin, QStringLiteral("mnuWinGrpOnly"), QStringLiteral("ｸﾞﾗﾌのみの画面にする"));
    addSeparator(mnuWin, "mnuWin01");
    const QString positions[] = {QStringLiteral("画面上に表示する"), QStringLiteral("画面中央に表示する"),
                                 QStringLiteral("画面下に表示する"),
                                 QStringLiteral("ｸﾞﾗﾌのみにして画面上に表示する"),
                                 QStringLiteral("ｸﾞﾗﾌのみにして画面下に表示する")};
    const QKeyCombination positionKeys[] = {ctrl(Qt::Key_U), ctrl(Qt::Key_M), ctrl(Qt::Key_D), {}, {}};
    for (std::size_t i = 0; i < mnuWinPosition.size(); ++i)
        mnuWinPosition[i] =
            addItem(mnuWin, QStringLiteral("mnuWinPosition_%1").arg(i), positions[i], positionKeys[i]);

    mnuHelp = addMenu(bar, "mnuHelp", QStringLiteral("ﾍﾙﾌﾟ(&H&ｵ)"));
    mnuVersion = addItem(mnuHelp, QStringLiteral("mnuVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&I&ｺ)"));
}
