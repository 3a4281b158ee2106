// The controls as the user meets them: the fonts they draw with, and what
// the core reads from them.

#include "tests/mainwin/MainWindowFixture.h"

#include "core/Chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QScrollBar>

#include <tuple>
#include <utility>

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
    // The switches the chart reads when it draws.
    using Read = bool (frmMonMain::*)() const;
    for (auto [control, read] :
         {std::pair<QObject*, Read>{window->mnuWinNonMem, &frmMonMain::auxiliaryLinesHidden},
          {window->mnuWinSetVal, &frmMonMain::thresholdHidden},
          {window->chkReDraw, &frmMonMain::pageModeChecked},
          {window->chkMultView, &frmMonMain::compositeChecked}})
        for (bool on : {true, false}) {
            control->setProperty("checked", on); // a menu item that cannot be checked ignores it
            EXPECT_EQ((*window.*read)(), on) << control->objectName().toStdString();
        }
}

} // namespace
