// The controls as the user meets them: the fonts they draw with, and what
// the core reads from them.

#include "tests/mainwin/MainWindowFixture.h"

#include "core/Chart.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QScrollBar>

#include <tuple>

namespace {

using ControlsTest = MainWindowTest;

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
    ASSERT_EQ(window->cmbColor->count(), static_cast<int>(std::size(kSeriesColours)));
    for (int i = 0; i < window->cmbColor->count(); ++i)
        EXPECT_EQ(seriesColourFor(window->cmbColor->itemText(i).toStdString(), kBlack),
                  kSeriesColours[static_cast<std::size_t>(i)].colour)
            << "the list offers the colours the chart draws in";
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
