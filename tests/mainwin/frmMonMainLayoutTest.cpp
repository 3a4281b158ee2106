// The layout rule as applied to the widgets: twips through the logical dpi.

#include "tests/mainwin/MainWindowFixture.h"

#include "platform/widgets/SurfaceView.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {

using LayoutTest = MainWindowTest;

TEST_F(LayoutTest, OpensWithTheDesignClientAreaAndFollowsEverySizeChange) {
    const double dpiX = window->logicalDpiX(), dpiY = window->logicalDpiY();
    const auto pixels = [&](const TwipRect& r) {
        return QRect(pixelsFromTwips(r.left, dpiX), pixelsFromTwips(r.top, dpiY),
                     pixelsFromTwips(r.width, dpiX), pixelsFromTwips(r.height, dpiY));
    };
    const auto expectPlacedByTheRule = [&] {
        // The rule works on the outer size: the client area and fixed borders.
        const QSize client = window->centralWidget()->size();
        const FormGeometry g = layoutForm(designFormGeometry(), twipsFromPixels(client.width(), dpiX) + 120,
                                          twipsFromPixels(client.height(), dpiY) + 690);
        EXPECT_EQ(window->formGeometry(), g);
        for (const auto& [widget, rect] : {std::pair<const QWidget*, TwipRect>{window->picView, g.picView},
                                           {window->chkStart[2], g.chkStart[2]},
                                           {window->lblNowValVal[1], g.lblNowValVal[1]},
                                           {window->chkReDraw, g.chkReDraw}})
            EXPECT_EQ(widget->geometry(), pixels(rect)) << widget->objectName().toStdString();
    };
    showWindow();
    EXPECT_EQ(window->centralWidget()->size(),
              QSize(pixelsFromTwips(kDesignClientWidth, dpiX), pixelsFromTwips(kDesignClientHeight, dpiY)));
    expectPlacedByTheRule();
    EXPECT_EQ(window->formGeometry().picView.height, 2050) << "the design outer size's numbers";
    for (const QSize client : {QSize(900, 400), QSize(300, 60)}) {
        window->resize(client + (window->size() - window->centralWidget()->size()));
        for (int i = 0; i < 100 && window->centralWidget()->size() != client; ++i)
            settle();
        ASSERT_EQ(window->centralWidget()->size(), client);
        expectPlacedByTheRule();
    }
}

} // namespace
