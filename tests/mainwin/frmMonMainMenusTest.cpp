#include "tests/mainwin/MainWindowFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

struct ItemCase {
    const char* name;
    const char* text;
    const char* shortcut;
    bool checkable;
    bool enabled;
};

struct MenuCase {
    const char* name;
    const char* title;
    std::vector<ItemCase> items; // in menu order; separators have no text
};

const MenuCase kMenus[] = {
    {"mnuFile",
     "ﾌｧｲﾙ(&F&ｵ)",
     {{"mnuDatLoad", "ﾃﾞｰﾀﾌｧｲﾙ読込", "Ctrl+S", false, false},
      {"mnuFile01", "", "", false, true},
      {"mnuLoad", "画像読込", "Ctrl+R", false, false},
      {"mnuSave", "画像保存", "Ctrl+W", false, false},
      {"mnuPrint", "画像印刷", "Ctrl+P", false, false},
      {"mnuFile02", "", "", false, true},
      {"mnuExit", "終了(&Q&ｺ)", "Ctrl+Q", false, true}}},
    {"mnuEdit",
     "編集(&E&ｵ)",
     {{"mnuWinAllClr", "全てｸﾘｱ", "Ctrl+X", false, false},
      {"mnuViewClipBord", "ｸﾞﾗﾌ画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ", "Ctrl+C", false, false}}},
    {"mnuView",
     "表示(&V&ｵ)",
     {{"mnuWinNonMem", "補助線を表示しない", "Ctrl+G", true, true},
      {"mnuWinSetVal", "しきい値を表示しない", "", true, true},
      {"mnuWinValView", "ﾏｳｽ移動で値を表示する", "", true, true},
      {"mnuView01", "", "", false, true},
      {"mnuViewDatPreview", "表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示", "Ctrl+Z", false, false}}},
    {"mnuWin",
     "ｳｨﾝﾄﾞｳ(&W&ｵ)",
     {{"mnuWinMae", "ｳｨﾝﾄﾞｳを常に前面に表示する", "", true, false},
      {"mnuWinGrpOnly", "ｸﾞﾗﾌのみの画面にする", "", false, false},
      {"mnuWin01", "", "", false, true},
      {"mnuWinPosition_0", "画面上に表示する", "Ctrl+U", false, false},
      {"mnuWinPosition_1", "画面中央に表示する", "Ctrl+M", false, false},
      {"mnuWinPosition_2", "画面下に表示する", "Ctrl+D", false, false},
      {"mnuWinPosition_3", "ｸﾞﾗﾌのみにして画面上に表示する", "", false, false},
      {"mnuWinPosition_4", "ｸﾞﾗﾌのみにして画面下に表示する", "", false, false}}},
    {"mnuHelp", "ﾍﾙﾌﾟ(&H&ｵ)", {{"mnuVersion", "ﾊﾞｰｼﾞｮﾝ情報(&I&ｺ)", "", false, false}}},
};

using MenusTest = MainWindowTest;

TEST_F(MenusTest, EveryItemHasItsCaptionShortcutAndState) {
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(std::size(kMenus)));
    for (std::size_t m = 0; m < std::size(kMenus); ++m) {
        const MenuCase& menuCase = kMenus[m];
        SCOPED_TRACE(menuCase.name);
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->objectName(), QLatin1String(menuCase.name));
        EXPECT_EQ(menu->title(), QString::fromUtf8(menuCase.title));

        const QList<QAction*> items = menu->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(menuCase.items.size()));
        for (std::size_t i = 0; i < menuCase.items.size(); ++i) {
            const ItemCase& c = menuCase.items[i];
            const QAction* item = items[static_cast<qsizetype>(i)];
            SCOPED_TRACE(c.name);
            EXPECT_EQ(item->objectName(), QLatin1String(c.name));
            EXPECT_EQ(item->isSeparator(), *c.text == '\0');
            EXPECT_EQ(item->text(), QString::fromUtf8(c.text));
            EXPECT_EQ(item->shortcut().toString(QKeySequence::PortableText), QLatin1String(c.shortcut));
            EXPECT_EQ(item->isCheckable(), c.checkable);
            EXPECT_EQ(item->isEnabled(), c.enabled);
            EXPECT_FALSE(item->isChecked());
        }
    }
}

TEST_F(MenusTest, ViewCheckItemsFlipTheirMarkAndTheSwitchTheyStandFor) {
    struct Case {
        QAction* item;
        std::function<bool()> switchState;
    };
    const Case cases[] = {
        {window->mnuWinNonMem, [this] { return window->auxiliaryLinesHidden(); }},
        {window->mnuWinSetVal, [this] { return window->thresholdHidden(); }},
        {window->mnuWinValView, [this] { return window->mnuWinValView->isChecked(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item->objectName().toStdString());
        EXPECT_FALSE(c.switchState());
        c.item->trigger();
        EXPECT_TRUE(c.item->isChecked());
        EXPECT_TRUE(c.switchState());
        c.item->trigger();
        EXPECT_FALSE(c.item->isChecked());
        EXPECT_FALSE(c.switchState());
    }
}

TEST_F(MenusTest, ExitEndsTheProgramAndLaterCommandsDoNothingYet) {
    int ends = 0;
    window->setEndProgramHandler([&ends] { ++ends; });
    window->mnuDatLoad->trigger();
    window->mnuWinAllClr->trigger();
    window->mnuWinPosition[0]->trigger();
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(dialog.calls.empty());
    window->mnuExit->trigger();
    EXPECT_EQ(ends, 1);
}

} // namespace
