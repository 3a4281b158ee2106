// The navigation controls in the real window wired to the core: the page
// scroll bar replaying a page of a real file, the page-mode switch, the value
// under the pointer and "全てｸﾘｱ".

#include "MainWindowFixture.h"

#include "monitor/ScaleLabels.h"
#include "support/TempDir.h"
#include "widgets/SurfaceView.h"

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
    NavigationWindowTest() { showWindow(); }

    // A data file of `lines` numbered lines applied with pages of `range`
    // lines and a pause of 1 ms after each replayed line, where events run.
    void applyLines(int lines, int range) {
        applySettingsFor(dir.write("data.csv", numberedLines(lines)), range, 1);
    }
    std::string text(const char* label) const { return control<QLabel>(label)->text().toStdString(); }
    QScrollBar& pageScrollBar() { return *control<QScrollBar>("scrH"); }
    QCheckBox& pageModeCheck() { return *control<QCheckBox>("chkReDraw"); }

    TempDir dir;
};

TEST_F(NavigationWindowTest, ChoosingAPageReplaysItWithTheBusyPointer) {
    for (bool checked : {true, false, true})
        pageModeCheck().setChecked(checked);
    EXPECT_FALSE(pageScrollBar().isEnabled()) << "no lines: ticking leaves the bar as it was";
    pageScrollBar().triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(text("lblScrH"), "") << "no page before settings are applied";

    applyLines(110, 10); // 111 lines by the count: pages 1..12
    EXPECT_EQ(std::pair(pageScrollBar().minimum(), pageScrollBar().maximum()), std::pair(1, 12));
    EXPECT_EQ(text("lblScrH"), "") << "a range set while applying chooses no page";

    Qt::CursorShape during = Qt::ArrowCursor;
    QTimer::singleShot(0, window.get(), [&] { during = window->cursor().shape(); });
    {
        const QSignalBlocker quiet(&pageScrollBar());
        pageScrollBar().setValue(2);
    }
    pageScrollBar().triggerAction(QAbstractSlider::SliderSingleStepAdd); // the right arrow
    EXPECT_EQ(text("lblScrH"), "3/12");
    EXPECT_EQ(text("lblInfo"), "21行目から31行目を表示");
    EXPECT_EQ(text("lblNowValVal_1"), "Now: 31");
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor) << "the pointer is back to the default";

    // A dragged thumb chooses the page where it is let go.
    pageScrollBar().setSliderDown(true);
    for (int position : {5, 9, 7})
        pageScrollBar().setSliderPosition(position);
    EXPECT_EQ(text("lblScrH"), "3/12");
    pageScrollBar().setSliderDown(false);
    EXPECT_EQ(text("lblScrH"), "7/12");
    EXPECT_EQ(text("lblInfo"), "61行目から71行目を表示");

    // The page-mode switch reaches the core's rule for the scroll bar.
    pageModeCheck().setChecked(false);
    EXPECT_FALSE(pageScrollBar().isEnabled());
    pageModeCheck().setChecked(true);
    EXPECT_TRUE(pageScrollBar().isEnabled());

    // Applying a range the thumb no longer fits moves it: the label follows,
    // and no page is replayed.
    applyLines(10, 10); // 11 lines: pages 1..2
    EXPECT_EQ(std::pair(pageScrollBar().value(), text("lblScrH")), std::pair(2, std::string("2/2")));
    EXPECT_EQ(text("lblInfo"), "61行目から71行目を表示");
}

TEST_F(NavigationWindowTest, ToolTipShowsTheScaleValueOfTheRowUnderThePointer) {
    monitor().scale().setEnds(1, 0);
    updateScaleLabels(monitor().scale(), session.view()); // row i holds 0.99 - i / 100
    const auto tip = [&] { return window->graphToolTip().toStdString(); };
    SurfaceView* graph = control<SurfaceView>("picView");
    const auto move = [&](int pixelY, Qt::MouseButtons buttons) {
        const QPointF local(10, pixelY);
        QMouseEvent event(QEvent::MouseMove, local, graph->mapToGlobal(local), Qt::NoButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(graph, &event);
    };
    // Pixel rows map onto the chart's 100 rows.
    const auto rowText = [&](int pixelY) {
        const int row = static_cast<int>(std::nearbyint(pixelY * 100.0 / graph->height()));
        return QString::number((99 - row) / 100.0).toStdString();
    };
    const int quarter = graph->height() / 4;
    move(quarter, Qt::NoButton);
    EXPECT_EQ(tip(), "") << "only while the View menu item is checked";

    control<QAction>("mnuWinValView")->trigger();
    const std::tuple<PointerButtons, double, const char*> steps[] = {
        {{}, 98.5, "0.01"},                             // row 98
        {{}, 99.5, "0.01"},                             // row 100: no change
        {{.right = true}, 50, "0.01"},                  // the right button alone: no change
        {{.left = true, .right = true}, 50, "0.49"},    // both: updated
        {{.right = true, .middle = true}, 2.5, "0.97"}, // row 2
    };
    for (const auto& [buttons, y, shown] : steps) {
        emit window->pointerMoved(buttons, y);
        EXPECT_EQ(tip(), shown) << y;
    }

    // Real moves over the graph.
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
    Scale& scale = monitor().scale();
    scale.takeHighest(35);
    scale.setEnds(40, 0);
    for (double value : {10, 20, 30, 35})
        monitor().samples().pushLive(value);
    window->setValueLabel(ValueLabel::Highest, QStringLiteral("Max: 35"));

    control<QAction>("mnuWinAllClr")->trigger();
    EXPECT_TRUE(session.surface().backgroundPicture().isNull());
    EXPECT_EQ(session.surface().image().pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(text("lblNowValVal_0"), "Max: 0");
    EXPECT_EQ(std::tuple(scale.top(), scale.highest(), monitor().samples().newestSlot()),
              std::tuple(0.0, 0.0, -1));
}

} // namespace
