// The layout rule as applied to the widgets: twips through the logical dpi.

#include "tests/mainwin/MainWindowFixture.h"

#include "platform/widgets/SurfaceView.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>

namespace {

class LayoutTest : public MainWindowTest {
protected:
    QRect pixels(const TwipRect& r) const {
        const double dpiX = window->logicalDpiX();
        const double dpiY = window->logicalDpiY();
        return {pixelsFromTwips(r.left, dpiX), pixelsFromTwips(r.top, dpiY), pixelsFromTwips(r.width, dpiX),
                pixelsFromTwips(r.height, dpiY)};
    }
    // The geometry the rule gives for the client area the window has now.
    FormGeometry expectedForClient() const {
        const QSize client = window->centralWidget()->size();
        return layoutForm(designFormGeometry(), twipsFromPixels(client.width(), window->logicalDpiX()) + 120,
                          twipsFromPixels(client.height(), window->logicalDpiY()) + 690);
    }
    void resizeClient(QSize client) {
        window->resize(client + (window->size() - window->centralWidget()->size()));
        for (int i = 0; i < 100 && window->centralWidget()->size() != client; ++i)
            settle();
        ASSERT_EQ(window->centralWidget()->size(), client);
    }
    void expectPlacedByTheRule() {
        const FormGeometry g = expectedForClient();
        EXPECT_EQ(window->formGeometry(), g);
        const std::pair<const QWidget*, TwipRect> placed[] = {
            {window->picView, g.picView},
            {window->chkStart[0], g.chkStart[0]},
            {window->chkStart[2], g.chkStart[2]},
            {window->lblNowValVal[1], g.lblNowValVal[1]},
            {window->lblViewMem[3], g.lblViewMem[3]},
            {window->lblInfo, g.lblInfo},
            {window->lblTopInfo, g.lblTopInfo},
            {window->chkReDraw, g.chkReDraw},
        };
        for (const auto& [widget, rect] : placed)
            EXPECT_EQ(widget->geometry(), pixels(rect)) << widget->objectName().toStdString();
        EXPECT_EQ(window->lblHeadInfo->pos(), pixels(g.lblHeadInfo).topLeft());
    }
};

TEST_F(LayoutTest, OpensWithTheDesignClientAreaLaidOutByTheRule) {
    showWindow();
    const QSize client = window->centralWidget()->size();
    EXPECT_EQ(client.width(), pixelsFromTwips(kDesignClientWidth, window->logicalDpiX()));
    EXPECT_EQ(client.height(), pixelsFromTwips(kDesignClientHeight, window->logicalDpiY()));
    expectPlacedByTheRule();
    // At the design client size the rule gives the design outer size's numbers.
    EXPECT_EQ(window->formGeometry().picView.height, 2050);
    EXPECT_EQ(window->formGeometry().chkStart[0].top, 2180);
}

TEST_F(LayoutTest, FollowsEverySizeChange) {
    showWindow();
    for (const QSize client : {QSize(900, 400), QSize(640, 180), QSize(1200, 700), QSize(300, 60)}) {
        SCOPED_TRACE(testing::Message() << client.width() << "x" << client.height());
        resizeClient(client);
        expectPlacedByTheRule();
    }
}

TEST_F(LayoutTest, ResizingNeitherStretchesNorClearsTheGraphImage) {
    QImage image(120, 60, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 4, 99));
    window->picView->setImage(&image);
    showWindow();
    for (const QSize client : {QSize(900, 400), QSize(400, 150)}) {
        resizeClient(client);
        const QImage shown = window->picView->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (const QPoint p : {QPoint(0, 0), QPoint(119, 59), QPoint(60, 30), QPoint(7, 51)})
            EXPECT_EQ(shown.pixel(p), image.pixel(p)) << p.x() << "," << p.y();
        if (shown.width() > 120) {
            EXPECT_EQ(shown.pixel(120, 0), qRgb(0, 0, 0));
        }
    }
    window->picView->setImage(nullptr);
}

} // namespace
