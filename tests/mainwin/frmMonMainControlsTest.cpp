// The controls and menus as the user meets them: a sample of texts, tool tips
// and shortcuts, the fonts they draw with, and what the core reads from them.

#include "tests/mainwin/MainWindowFixture.h"

#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QScrollBar>

#include <tuple>

namespace {

using ControlsTest = MainWindowTest;

TEST_F(ControlsTest, ASampleOfControlsAndMenuItemsHasItsTextToolTipAndShortcut) {
    const std::tuple<const char*, const char*, const char*> controls[] = {
        {"chkStart_0", "S&Ttop", "[RePlay]or[New]をStopします"},
        {"chkStart_1", "Re&Play", "ﾃﾞｰﾀﾌｧｲﾙの内容を再生します"},
        {"chkStart_2", "&New", "ﾃﾞｰﾀﾌｧｲﾙの最新ﾃﾞｰﾀを取得し出力します"},
        {"txtWatch", "1", "表示内容切替。n番目の値を表示します"},
        {"lblNowValVal_1", "Now: 0", ""}};
    for (const auto& [name, text, toolTip] : controls) {
        const auto* widget = window->centralWidget()->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->property("text").toString(), QString::fromUtf8(text)) << name;
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(toolTip)) << name;
    }
    const std::tuple<const char*, const char*, const char*, bool> items[] = {
        {"mnuExit", "終了(&Q&ｺ)", "Ctrl+Q", true},
        {"mnuViewClipBord", "ｸﾞﾗﾌ画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ", "Ctrl+C", false},
        {"mnuWinNonMem", "補助線を表示しない", "Ctrl+G", true},
        {"mnuWinPosition_1", "画面中央に表示する", "Ctrl+M", false}};
    for (const auto& [name, text, shortcut, enabled] : items) {
        const auto* item = window->findChild<QAction*>(QLatin1String(name));
        ASSERT_NE(item, nullptr) << name;
        EXPECT_EQ(item->text(), QString::fromUtf8(text)) << name;
        EXPECT_EQ(item->shortcut().toString(QKeySequence::PortableText), QLatin1String(shortcut)) << name;
        EXPECT_EQ(item->isEnabled(), enabled) << name;
    }
}

TEST_F(ControlsTest, EveryControlDrawsWithAnInstalledJapaneseFont) {
    for (const QWidget* widget :
         window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QFont font = widget->font();
        EXPECT_TRUE(font.families().value(0).startsWith(QString::fromUtf8("ＭＳ ")))
            << widget->objectName().toStdString();
        EXPECT_TRUE(font.families().contains(QFontInfo(font).family()))
            << widget->objectName().toStdString() << ": " << QFontInfo(font).family().toStdString();
    }
}

TEST_F(ControlsTest, ListsAndSwitchesOfferWhatTheCoreReads) {
    QStringList items;
    for (int i = 0; i < window->cmbColor->count(); ++i)
        items << window->cmbColor->itemText(i);
    EXPECT_EQ(items, (QStringList{"黄", "白", "青", "赤", "水"}));
    EXPECT_EQ(std::tuple(window->scrV->minimum(), window->scrV->maximum()), std::tuple(1, 1000));
    EXPECT_TRUE(window->txtWatch->isReadOnly());
    for (auto [item, hidden] : {std::pair{window->mnuWinNonMem, &frmMonMain::auxiliaryLinesHidden},
                                std::pair{window->mnuWinSetVal, &frmMonMain::thresholdHidden}}) {
        EXPECT_TRUE(item->isCheckable());
        item->trigger();
        EXPECT_TRUE((*window.*hidden)()) << item->objectName().toStdString();
        item->trigger();
        EXPECT_FALSE((*window.*hidden)()) << item->objectName().toStdString();
    }
}

} // namespace
