// The controls as the user meets them: the fonts they draw with, what the
// core reads from them, and where the layout rule places them.

#include "MainWindowFixture.h"

#include "chart/Chart.h"

#include <QAction>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

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
    auto* colours = control<QComboBox>("cmbColor");
    ASSERT_EQ(colours->count(), static_cast<int>(std::size(kSeriesColours)));
    for (int i = 0; i < colours->count(); ++i) {
        EXPECT_EQ(seriesColourFor(colours->itemText(i).toStdString(), kBlack),
                  kSeriesColours[static_cast<std::size_t>(i)].colour)
            << "the list offers the colours the chart draws in";
        colours->setCurrentIndex(i);
        EXPECT_EQ(window->seriesColourText(), colours->itemText(i));
    }
    EXPECT_EQ(control<QAction>("mnuVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&Iｺ)")) << "one mnemonic";
    auto* spin = control<QScrollBar>("scrV");
    EXPECT_EQ(std::tuple(spin->minimum(), spin->maximum()), std::tuple(1, 1000));
    EXPECT_TRUE(control<QLineEdit>("txtWatch")->isReadOnly());
    // The switches the chart and the pointer read.
    using Read = bool (MainWindow::*)() const;
    for (auto [name, read] : {std::pair<const char*, Read>{"mnuWinNonMem", &MainWindow::gridLinesHidden},
                              {"mnuWinSetVal", &MainWindow::thresholdHidden},
                              {"mnuWinValView", &MainWindow::pointerValueShown},
                              {"chkReDraw", &MainWindow::pageModeChecked},
                              {"chkMultView", &MainWindow::compositeChecked}}) {
        QObject* item = control<QObject>(name);
        for (bool on : {true, false}) {
            item->setProperty("checked", on); // a menu item that cannot be checked ignores it
            EXPECT_EQ((*window.*read)(), on) << name;
        }
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
        const MainWindowGeometry g =
            layoutMainWindow(designGeometry(), twipsFromPixels(client.width(), dpiX) + 120,
                             twipsFromPixels(client.height(), dpiY) + 690);
        EXPECT_EQ(window->layoutGeometry(), g);
        for (const auto& [name, rect] : {std::pair<const char*, TwipRect>{"picView", g.graphView},
                                         {"chkStart_2", g.runButtons[2]},
                                         {"lblNowValVal_1", g.valueLabels[1]},
                                         {"chkReDraw", g.pageModeCheck}})
            EXPECT_EQ(control(name)->geometry(), pixels(rect)) << name;
    };
    showWindow();
    EXPECT_EQ(window->centralWidget()->size(),
              QSize(pixelsFromTwips(kDesignClientWidth, dpiX), pixelsFromTwips(kDesignClientHeight, dpiY)));
    expectPlacedByTheRule();
    EXPECT_EQ(window->layoutGeometry().graphView.height, 2050) << "the design outer size's numbers";
    for (const QSize client : {QSize(900, 400), QSize(300, 60)}) {
        window->resize(client + (window->size() - window->centralWidget()->size()));
        for (int i = 0; i < 100 && window->centralWidget()->size() != client; ++i)
            settle();
        ASSERT_EQ(window->centralWidget()->size(), client);
        expectPlacedByTheRule();
    }
}

} // namespace

// The menu's shortcuts reach their commands whatever control has the focus;
// a text field's own use of the key loses to the menu.
TEST_F(ControlsTest, MenuShortcutsWinOverAFocusedField) {
    showWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QSignalSpy copied(window.get(), &MainWindow::copyGraphRequested);
    QSignalSpy cleared(window.get(), &MainWindow::clearAllRequested);
    for (const char* name : {"txtWatch", "cmbColor", "chkMultView"}) {
        QWidget* field = control(name);
        field->setFocus();
        ASSERT_TRUE(field->hasFocus()) << name;
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_X, Qt::ControlModifier);
    }
    EXPECT_EQ(copied.count(), 3);
    EXPECT_EQ(cleared.count(), 3);
}
