// The window's shapes on the real window: the graph-only mask and the way
// back by a click on the graph, the parking places, always on top, the
// caption bar toggled by a double-click, and the shape of any window's
// controls.

#include "MainWindowFixture.h"

#include "mainwin/ToggleTitleBar.h"
#include "models/WindowShape.h"

#include <QAction>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <tuple>

namespace {

class ShapesTest : public MainWindowTest {
protected:
    ShapesTest() : graphView(control("picView")) { showWindow(); }

    // The graph in the window's coordinates, with `strip` pixels below it.
    QRegion graph(int strip = 0) const {
        const QPoint at = graphView->mapTo(window.get(), QPoint(0, 0));
        return QRegion(QRect(at, graphView->size() + QSize(0, strip)));
    }
    void releaseOnGraph() { QTest::mouseClick(graphView, Qt::LeftButton); }
    // The whole sequence a user's double-click gives; QTest's own double
    // click is the double-click event alone.
    void doubleClickOnGraph() {
        QTest::mouseClick(graphView, Qt::LeftButton);
        QTest::mousePress(graphView, Qt::LeftButton);
        QTest::mouseDClick(graphView, Qt::LeftButton);
        QTest::mouseRelease(graphView, Qt::LeftButton);
    }

    QWidget* graphView;
};

TEST_F(ShapesTest, GraphOnlyShapesLastUntilAClickOnTheGraph) {
    EXPECT_TRUE(window->mask().isEmpty());
    const QRect client = window->QWidget::geometry();
    control<QAction>("mnuWinGrpOnly")->trigger();
    EXPECT_EQ(window->mask(), graph());
    // The window manager's frame goes while the shape lasts, and comes back.
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window->QWidget::geometry(), client) << "the graph stays where it was";
    releaseOnGraph();
    EXPECT_TRUE(window->mask().isEmpty());
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window->isVisible());

    window->clipToGraph(true);
    EXPECT_EQ(window->mask(), graph(kControlStripPixels));
    QTest::mouseRelease(graphView, Qt::RightButton);
    EXPECT_TRUE(window->mask().isEmpty()) << "any button's release";
}

// Parked as graph only, the whole parked window shows again after a click on the graph.
TEST_F(ShapesTest, ParkingMakesAScreenWideStripAtTheTopMiddleOrBottom) {
    const QRect screen = window->screen()->geometry();
    const double dpiY = window->logicalDpiY();
    const int height = pixelsFromTwips(kParkedHeight, dpiY);
    const Twips screenTwips = twipsFromPixels(screen.height(), dpiY);
    for (int index = 0; index < 5; ++index) {
        const Placement placement = kPlacements[index];
        control<QAction>(QStringLiteral("mnuWinPosition_%1").arg(index).toUtf8().constData())->trigger();
        const Twips top = parkedTop(placement, screenTwips, twipsFromPixels(height, dpiY));
        EXPECT_EQ(window->frameGeometry(),
                  QRect(screen.left(), screen.top() + pixelsFromTwips(top, dpiY), screen.width(), height))
            << index;
        EXPECT_EQ(window->mask(), parksGraphOnly(placement) ? graph(kControlStripPixels) : QRegion())
            << index;
        // The layout followed the new size: the graph spans the window less the scale labels.
        EXPECT_EQ(window->layoutGeometry().graphView.width,
                  twipsFromPixels(window->centralWidget()->width(), window->logicalDpiX()) +
                      kDesignFrameWidth - 955)
            << index;
        const QRect parked = window->frameGeometry();
        releaseOnGraph();
        EXPECT_TRUE(window->mask().isEmpty()) << index;
        EXPECT_EQ(window->frameGeometry(), parked) << index;
    }
}

TEST_F(ShapesTest, AlwaysOnTopAndTheCaptionBarToggleKeepingTheWindowsSize) {
    const QSize client = window->size();
    auto* stayOnTop = control<QAction>("mnuWinMae");
    for (bool on : {true, false}) {
        stayOnTop->trigger();
        EXPECT_EQ(stayOnTop->isChecked(), on);
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
        window->clipToGraph(false);
        doubleClickOnGraph(); // its first click ends the graph-only shape
        EXPECT_TRUE(window->mask().isEmpty());
        EXPECT_EQ(window->windowFlags().testFlag(Qt::FramelessWindowHint), on);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->size(), client);
    }
}

TEST(ToggleTitleBarTest, KeepsItsBorderRulesForAnyWindow) {
    const std::tuple<const char*, Qt::WindowFlags, const char*, bool, bool> cases[] = {
        {"framed", Qt::Window, "x", false, true},
        {"framed, no title but a system menu", Qt::Window, "", false, true},
        {"no title and no system menu", Qt::Window | Qt::CustomizeWindowHint, "", true, false},
        {"made frameless", Qt::Window | Qt::FramelessWindowHint, "x", false, false},
        {"made frameless, borderless too", Qt::Window | Qt::FramelessWindowHint, "x", true, true},
    };
    for (const auto& [name, flags, title, evenIfFrameless, toggles] : cases) {
        QWidget target(nullptr, flags);
        target.setWindowTitle(QString::fromUtf8(title));
        target.resize(300, 200);
        target.show();
        const bool framelessBefore = target.windowFlags().testFlag(Qt::FramelessWindowHint);
        EXPECT_EQ(toggleTitleBar(target, evenIfFrameless), toggles) << name;
        EXPECT_EQ(target.windowFlags().testFlag(Qt::FramelessWindowHint), framelessBefore != toggles) << name;
        EXPECT_EQ(target.size(), QSize(300, 200)) << name;
        EXPECT_TRUE(target.isVisible()) << name;
        // Back again, with the same argument.
        EXPECT_EQ(toggleTitleBar(target, evenIfFrameless), toggles) << name;
        EXPECT_EQ(target.windowFlags().testFlag(Qt::FramelessWindowHint), framelessBefore) << name;
    }

    // A window made frameless that got its caption from a borderless call
    // keeps it against a call that does not act on such windows.
    QWidget made(nullptr, Qt::Window | Qt::FramelessWindowHint);
    made.setWindowTitle(QStringLiteral("x"));
    ASSERT_TRUE(toggleTitleBar(made, true));
    EXPECT_FALSE(toggleTitleBar(made, false));
    EXPECT_FALSE(made.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(ShapesTest, ClipToControlsLeavesTheUnionOfTheControls) {
    QWidget form;
    form.resize(300, 200);
    auto* a = new QPushButton(&form);
    a->setGeometry(10, 10, 50, 20);
    auto* b = new QPushButton(&form);
    b->setGeometry(100, 150, 40, 30);
    auto* hidden = new QPushButton(&form);
    hidden->setGeometry(200, 10, 30, 30);
    hidden->hide();                                     // still a control with a place
    (new QWidget(&form))->setGeometry(250, 100, 0, 20); // no size: no rectangle
    window->clipToControls(form);
    EXPECT_EQ(form.mask(),
              QRegion(10, 10, 50, 20).united(QRegion(100, 150, 40, 30)).united(QRegion(200, 10, 30, 30)));

    QWidget empty;
    window->clipToControls(empty);
    EXPECT_TRUE(empty.mask().isEmpty()) << "no control: the whole window";

    // The main window's controls lie below its menu bar.
    window->clipToControls(*window);
    EXPECT_TRUE(window->mask().contains(graph().boundingRect()));
    EXPECT_FALSE(window->mask().contains(QPoint(1, 1))) << "the menu bar is no control";
}

} // namespace
