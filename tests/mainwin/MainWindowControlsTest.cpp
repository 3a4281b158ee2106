// The controls as the user meets them: the fonts they draw with, what the
// core reads from them, and where the layout rule places them.

#include "tests/mainwin/MainWindowFixture.h"

#include "chart/Chart.h"
#include "widgets/SurfaceView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    ASSERT_EQ(window->seriesColourCombo->count(), static_cast<int>(std::size(kSeriesColours)));
    for (int i = 0; i < window->seriesColourCombo->count(); ++i)
        EXPECT_EQ(seriesColourFor(window->seriesColourCombo->itemText(i).toStdString(), kBlack),
                  kSeriesColours[static_cast<std::size_t>(i)].colour)
            << "the list offers the colours the chart draws in";
    EXPECT_EQ(std::tuple(window->columnScrollBar->minimum(), window->columnScrollBar->maximum()), std::tuple(1, 1000));
    EXPECT_TRUE(window->columnEdit->isReadOnly());
    // The switches the chart reads when it draws.
    using Read = bool (MainWindow::*)() const;
    for (auto [control, read] :
         {std::pair<QObject*, Read>{window->hideGridLinesAction, &MainWindow::auxiliaryLinesHidden},
          {window->hideThresholdAction, &MainWindow::thresholdHidden},
          {window->pageModeCheck, &MainWindow::pageModeChecked},
          {window->compositeCheck, &MainWindow::compositeChecked}})
        for (bool on : {true, false}) {
            control->setProperty("checked", on); // a menu item that cannot be checked ignores it
            EXPECT_EQ((*window.*read)(), on) << control->objectName().toStdString();
        }
}

// The layout rule as applied to the widgets: twips through the logical dpi.
TEST_F(ControlsTest, OpensWithTheDesignClientAreaAndFollowsEverySizeChange) {
    const double dpiX = window->logicalDpiX(), dpiY = window->logicalDpiY();
    const auto pixels = [&](const TwipRect& r) {
        return QRect(pixelsFromTwips(r.left, dpiX), pixelsFromTwips(r.top, dpiY),
                     pixelsFromTwips(r.width, dpiX), pixelsFromTwips(r.height, dpiY));
    };
    const auto expectPlacedByTheRule = [&] {
        // The rule works on the outer size: the client area and fixed borders.
        const QSize client = window->centralWidget()->size();
        const MainWindowGeometry g = layoutMainWindow(designGeometry(), twipsFromPixels(client.width(), dpiX) + 120,
                                          twipsFromPixels(client.height(), dpiY) + 690);
        EXPECT_EQ(window->formGeometry(), g);
        for (const auto& [widget, rect] : {std::pair<const QWidget*, TwipRect>{window->graphView, g.graphView},
                                           {window->runButtons[2], g.runButtons[2]},
                                           {window->valueLabels[1], g.valueLabels[1]},
                                           {window->pageModeCheck, g.pageModeCheck}})
            EXPECT_EQ(widget->geometry(), pixels(rect)) << widget->objectName().toStdString();
    };
    showWindow();
    EXPECT_EQ(window->centralWidget()->size(),
              QSize(pixelsFromTwips(kDesignClientWidth, dpiX), pixelsFromTwips(kDesignClientHeight, dpiY)));
    expectPlacedByTheRule();
    EXPECT_EQ(window->formGeometry().graphView.height, 2050) << "the design outer size's numbers";
    for (const QSize client : {QSize(900, 400), QSize(300, 60)}) {
        window->resize(client + (window->size() - window->centralWidget()->size()));
        for (int i = 0; i < 100 && window->centralWidget()->size() != client; ++i)
            settle();
        ASSERT_EQ(window->centralWidget()->size(), client);
        expectPlacedByTheRule();
    }
}

} // namespace
