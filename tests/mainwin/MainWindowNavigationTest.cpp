// The navigation controls in the real window wired to the core: the page
// scroll bar replaying a page of a real file, the page-mode switch, the value
// under the pointer and "全てｸﾘｱ".

#include "monitor/ScaleLabels.h"
#include "text/TextDecoder.h"
#include "mainwin/MonitorSession.h"
#include "widgets/SurfaceView.h"
#include "tests/mainwin/MainWindowFixture.h"
#include "support/TempDir.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

#include <cmath>
#include <tuple>

namespace {

class NavigationWindowTest : public MainWindowTest {
protected:
    NavigationWindowTest() : session(state, *window, std::make_unique<Utf8Decoder>()) { showWindow(); }

    // A data file of `lines` numbered lines applied with pages of `range` lines.
    void apply(int lines, std::int32_t range) {
        applySettingsFor(dir.write("data.csv", numberedLines(lines)), range);
    }
    std::string text(const QLabel* label) const { return label->text().toStdString(); }
    QScrollBar& pageScrollBar() { return *window->pageScrollBar; }

    TempDir dir;
    MonitorSession session;
};

TEST_F(NavigationWindowTest, ChoosingAPageReplaysItWithTheBusyPointer) {
    for (bool checked : {true, false, true})
        window->pageModeCheck->setChecked(checked);
    EXPECT_FALSE(pageScrollBar().isEnabled()) << "no lines: ticking leaves the bar as it was";
    pageScrollBar().triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(text(window->pagePositionLabel), "") << "no page before settings are applied";

    apply(110, 10); // 111 lines by the count: pages 1..12
    EXPECT_EQ(std::pair(pageScrollBar().minimum(), pageScrollBar().maximum()), std::pair(1, 12));
    EXPECT_EQ(text(window->pagePositionLabel), "") << "a range set while applying chooses no page";

    state.replayPause = 1; // the replay pauses after each line, and events run there
    Qt::CursorShape during = Qt::ArrowCursor;
    QTimer::singleShot(0, window.get(), [&] { during = window->cursor().shape(); });
    {
        const QSignalBlocker quiet(&pageScrollBar());
        pageScrollBar().setValue(2);
    }
    pageScrollBar().triggerAction(QAbstractSlider::SliderSingleStepAdd); // the right arrow
    EXPECT_EQ(text(window->pagePositionLabel), "3/12");
    EXPECT_EQ(text(window->statusLabel), "21行目から31行目を表示");
    EXPECT_EQ(text(window->valueLabels[1]), "Now: 31");
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "the pointer is back to the default";

    // A dragged thumb chooses the page where it is let go.
    state.replayPause = 0;
    pageScrollBar().setSliderDown(true);
    for (int position : {5, 9, 7})
        pageScrollBar().setSliderPosition(position);
    EXPECT_EQ(text(window->pagePositionLabel), "3/12");
    pageScrollBar().setSliderDown(false);
    EXPECT_EQ(text(window->pagePositionLabel), "7/12");
    EXPECT_EQ(text(window->statusLabel), "61行目から71行目を表示");

    // The page-mode switch reaches the core's rule for the scroll bar.
    window->pageModeCheck->setChecked(false);
    EXPECT_FALSE(pageScrollBar().isEnabled());
    window->pageModeCheck->setChecked(true);
    EXPECT_TRUE(pageScrollBar().isEnabled());
}

TEST_F(NavigationWindowTest, ToolTipShowsTheScaleValueOfTheRowUnderThePointer) {
    state.scaleTop = 1;
    state.scaleBottom = 0;
    SetScaleLabels(state, *window); // row i holds 0.99 - i / 100
    const auto tip = [&] { return window->graphView->toolTip().toStdString(); };
    window->onGraphMouseMove(Qt::NoButton, 98.5);
    EXPECT_EQ(tip(), "") << "only while the View menu item is checked";

    window->showPointerValueAction->trigger();
    const std::tuple<Qt::MouseButtons, double, const char*> steps[] = {
        {Qt::NoButton, 98.5, "0.01"},                      // row 98
        {Qt::NoButton, 99.5, "0.01"},                      // row 100: no change
        {Qt::RightButton, 50, "0.01"},                     // the right button alone: no change
        {Qt::LeftButton | Qt::RightButton, 50, "0.49"},    // both: updated
        {Qt::RightButton | Qt::MiddleButton, 2.5, "0.97"}, // row 2
    };
    for (const auto& [buttons, y, shown] : steps) {
        window->onGraphMouseMove(buttons, y);
        EXPECT_EQ(tip(), shown) << y;
    }

    // Real moves over the graph: pixel rows map onto the chart's 100 rows.
    SurfaceView* graph = window->graphView;
    const auto rowText = [&](int pixelY) {
        const int row = static_cast<int>(std::nearbyint(pixelY * 100.0 / graph->height()));
        return QString::number((99 - row) / 100.0).toStdString();
    };
    const auto move = [&](int pixelY, Qt::MouseButtons buttons) {
        const QPointF local(10, pixelY);
        QMouseEvent event(QEvent::MouseMove, local, graph->mapToGlobal(local), Qt::NoButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(graph, &event);
    };
    const int quarter = graph->height() / 4;
    move(quarter, Qt::RightButton);
    EXPECT_EQ(tip(), "0.97");
    move(quarter, Qt::NoButton);
    EXPECT_EQ(tip(), rowText(quarter));

    // The tip shows while the pointer rests, and a tip on show follows the pointer.
    QHelpEvent rest(QEvent::ToolTip, QPoint(10, quarter), graph->mapToGlobal(QPoint(10, quarter)));
    QCoreApplication::sendEvent(graph, &rest);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), rowText(quarter));
    move(3 * quarter, Qt::NoButton);
    EXPECT_EQ(QToolTip::text().toStdString(), rowText(3 * quarter));
    QToolTip::hideText();
}

TEST_F(NavigationWindowTest, ClearAllRemovesTheBackgroundPictureThenInitialises) {
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    session.surface().setBackgroundPicture(picture);
    state.scaleTop = 40;
    state.highest = 35;
    state.newestSlot = 3;
    window->setValueLabel(0, "Max: 35");

    ASSERT_TRUE(window->clearAllAction->isEnabled());
    window->clearAllAction->trigger();
    EXPECT_TRUE(session.surface().backgroundPicture().isNull());
    EXPECT_EQ(session.surface().image().pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(text(window->valueLabels[0]), "Max: 0");
    EXPECT_EQ(std::tuple(state.scaleTop, state.highest, state.newestSlot), std::tuple(0.0, 0.0, -1));
}

} // namespace
