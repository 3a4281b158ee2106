// The window's shapes on the real window: the graph-only mask and the way
// back by a click on the graph, the parking places, always on top, the
// caption bar toggled by a double-click, and the shape of any window's
// controls; and their geometry alone.

#include "monitor/Monitor.h"
#include "mainwin/ToggleTitleBar.h"
#include "mainwin/WindowShape.h"
#include "widgets/SurfaceView.h"
#include "tests/mainwin/MainWindowFixture.h"

#include <QAction>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <limits>
#include <optional>
#include <tuple>

namespace {

class ShapesTest : public MainWindowTest {
protected:
    ShapesTest() { showWindow(); }

    // The graph in the window's coordinates, with `strip` pixels below it.
    QRegion graph(int strip = 0) const {
        const QPoint at = window->graphView->mapTo(window.get(), QPoint(0, 0));
        return QRegion(QRect(at, window->graphView->size() + QSize(0, strip)));
    }
    void releaseOnGraph() { QTest::mouseClick(window->graphView, Qt::LeftButton); }
    // The whole sequence a user's double-click gives; QTest's own double
    // click is the double-click event alone.
    void doubleClickOnGraph() {
        QTest::mouseClick(window->graphView, Qt::LeftButton);
        QTest::mousePress(window->graphView, Qt::LeftButton);
        QTest::mouseDClick(window->graphView, Qt::LeftButton);
        QTest::mouseRelease(window->graphView, Qt::LeftButton);
    }
};

TEST_F(ShapesTest, GraphOnlyShapesLastUntilAClickOnTheGraph) {
    EXPECT_TRUE(window->mask().isEmpty());
    window->graphOnlyAction->trigger();
    EXPECT_EQ(window->mask(), graph());
    releaseOnGraph();
    EXPECT_TRUE(window->mask().isEmpty());

    window->clipToGraph(1);
    EXPECT_EQ(window->mask(), graph(kGraphStripPixels));
    QTest::mouseRelease(window->graphView, Qt::RightButton);
    EXPECT_TRUE(window->mask().isEmpty()) << "any button's release";
}

// Parked as graph only, the whole parked window shows again after a click on the graph.
TEST_F(ShapesTest, ParkingMakesAScreenWideStripAtTheTopMiddleOrBottom) {
    const QRect screen = window->screen()->geometry();
    const double dpiY = window->logicalDpiY();
    const int height = pixelsFromTwips(kParkedHeight, dpiY);
    const Twips screenTwips = twipsFromPixels(screen.height(), dpiY);
    for (int index = 0; index < 5; ++index) {
        window->placementActions[static_cast<std::size_t>(index)]->trigger();
        const Twips top = *parkedTop(index, screenTwips, twipsFromPixels(height, dpiY));
        EXPECT_EQ(window->frameGeometry(),
                  QRect(screen.left(), screen.top() + pixelsFromTwips(top, dpiY), screen.width(), height))
            << index;
        EXPECT_EQ(window->mask(), parkedGraphOnly(index) ? graph(kGraphStripPixels) : QRegion()) << index;
        // The layout followed the new size: the graph spans the window less the scale labels.
        EXPECT_EQ(window->formGeometry().graphView.width,
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
    for (bool on : {true, false}) {
        window->stayOnTopAction->trigger();
        EXPECT_EQ(window->stayOnTopAction->isChecked(), on);
        EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
        window->clipToGraph(0);
        doubleClickOnGraph(); // its first click ends the graph-only shape
        EXPECT_TRUE(window->mask().isEmpty());
        EXPECT_EQ(window->windowFlags().testFlag(Qt::FramelessWindowHint), on);
        EXPECT_EQ(state.titleBarHidden, on);
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
    for (const auto& [name, flags, title, blnBorderless, toggles] : cases) {
        QWidget target(nullptr, flags);
        target.setWindowTitle(QString::fromUtf8(title));
        target.resize(300, 200);
        target.show();
        const bool framelessBefore = target.windowFlags().testFlag(Qt::FramelessWindowHint);
        EXPECT_EQ(toggleTitleBar(target, blnBorderless), toggles) << name;
        EXPECT_EQ(target.windowFlags().testFlag(Qt::FramelessWindowHint), framelessBefore != toggles) << name;
        EXPECT_EQ(target.size(), QSize(300, 200)) << name;
        EXPECT_TRUE(target.isVisible()) << name;
        // Back again, with the same argument.
        EXPECT_EQ(toggleTitleBar(target, blnBorderless), toggles) << name;
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

TEST_F(ShapesTest, FormTmLeavesTheUnionOfTheControls) {
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

// The geometry alone: the graph-only region and the parking places.
TEST(WindowShapeTest, GraphRegionCoversTheSurfaceAndForType1ItsStrip) {
    constexpr std::int32_t big = std::numeric_limits<std::int32_t>::max();
    // The surface, the client area's left and top, the type, the region.
    const std::tuple<PixelRect, std::int32_t, std::int32_t, int, PixelRect> cases[] = {
        // The design frame's client area at (4, 42): (60, 50)-(702, 186) and, with the strip, -(702, 206).
        {{56, 8, 642, 136}, 4, 42, 0, {60, 50, 642, 136}},
        {{56, 8, 642, 136}, 4, 42, 1, {60, 50, 642, 156}},
        {{56, 8, 642, 136}, 4, 42, 2, {60, 50, 642, 136}}, // only 1 adds the strip
        {{56, 8, 642, 136}, 0, 21, -1, {56, 29, 642, 136}},
        {{big - 10, big - 10, 100, 100}, 5, 5, 1, {big - 5, big - 5, 5, 5}}, // kept within 32 bits
    };
    for (const auto& [surface, clientLeft, clientTop, iType, region] : cases)
        EXPECT_EQ(graphRegion(surface, clientLeft, clientTop, iType), region)
            << surface.left << "," << surface.top << " type " << iType;
}

TEST(WindowShapeTest, ParkingPutsTheTopEdgeAtTheTopTheMiddleOrTheBottom) {
    // The place, the screen's and the window's heights, the top.
    const std::tuple<int, Twips, Twips, std::optional<Twips>> cases[] = {
        {0, 16200, 3000, 1},
        {3, 16200, 3000, 1},
        {1, 16200, 3000, 6600},
        {2, 16200, 3000, 13200},
        {4, 16200, 3000, 13200},
        {1, 16200, 3001, 6600}, // each height halved on its own: not (16200 - 3001) / 2
        {1, 16201, 3000, 6600},
        {1, 2000, 3001, -500},   // a window taller than the screen
        {1, 40000, 3000, 18500}, // beyond 16 bits
        {1, 100'000'000'000, 3000, 49'999'998'500},
        {5, 16200, 3000, std::nullopt},
        {-1, 16200, 3000, std::nullopt},
    };
    for (const auto& [index, screenHeight, windowHeight, top] : cases)
        EXPECT_EQ(parkedTop(index, screenHeight, windowHeight), top)
            << index << " " << screenHeight << " " << windowHeight;
}

} // namespace
