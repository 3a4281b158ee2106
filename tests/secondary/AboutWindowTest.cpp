// The version window: one at most, closed by Enter, Esc or its address.

#include "secondary/AboutDialog.h"
#include "secondary/SecondaryWindows.h"
#include "support/FakeMessageBoxes.h"
#include "text/TextDecoder.h"

#include <QDesktopServices>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Takes the addresses the desktop is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

struct AboutWindowTest : testing::Test {
    ~AboutWindowTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static bool gone(const QPointer<AboutDialog>& window) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    Utf8Decoder codec;
    FakeMessageBoxes boxes;
    SecondaryWindows windows{PreviewServices{.codec = codec, .messageBoxes = boxes}};
};

TEST_F(AboutWindowTest, ShowsTheVersionOnceAndEnterEscOrTheAddressCloseIt) {
    windows.showAbout();
    QPointer<AboutDialog> window = windows.about();
    ASSERT_TRUE(window);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
              QStringLiteral("Version: 0.9.7"))
        << "the project's version";
    EXPECT_TRUE(std::filesystem::exists(AboutDialog::documentationUrl().toLocalFile().toStdString()))
        << "the address opens something, also offline";
    EXPECT_FALSE(window->isModal());
    windows.showAbout();
    EXPECT_EQ(windows.about(), window.data()) << "one window at most";

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        windows.showAbout();
        window = windows.about();
        QTest::keyClick(window, key);
        EXPECT_TRUE(gone(window)) << key;
    }

    UrlRecorder recorder;
    windows.showAbout();
    window = windows.about();
    QTest::mouseClick(window->findChild<QLabel*>(QStringLiteral("lblDescription")), Qt::LeftButton);
    ASSERT_EQ(recorder.opened.size(), 1u);
    EXPECT_EQ(recorder.opened[0], AboutDialog::documentationUrl());
    EXPECT_TRUE(gone(window)) << "opening closes the window";
    windows.showAbout();
    EXPECT_TRUE(windows.about()->isVisible()) << "and it opens again afterwards";
}

} // namespace

#include "AboutWindowTest.moc"
