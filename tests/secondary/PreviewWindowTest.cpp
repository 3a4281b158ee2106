// The preview window: the head of a file or the buffered values, saving its
// text, and its text box following the window's size.

#include "secondary/PreviewWindow.h"
#include "largetext/LargeTextEdit.h"
#include "monitor/SampleRing.h"
#include "secondary/FilePreview.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempDir.h"
#include "text/TextCodec.h"

#include <QAction>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <tuple>

namespace {

// Message boxes that, as real ones do, run an event loop of their own while
// they are up; `whileShown` runs first, as if the user acted meanwhile.
class ModalMessageBoxes : public FakeMessageBoxes {
public:
    std::function<void()> whileShown;

    std::optional<MessageButton> present(const MessageBoxDescription& box) override {
        const auto answer = FakeMessageBoxes::present(box);
        if (whileShown)
            whileShown();
        QEventLoop loop;
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
        return answer;
    }
};

class PreviewWindowTest : public testing::Test {
protected:
    ~PreviewWindowTest() override {
        if (tmpdirChanged)
            previousTmpdir.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", previousTmpdir.c_str(), 1);
    }

    PreviewWindow& window() { return *preview.window(); }
    LargeTextEdit& textEdit() { return *window().findChild<LargeTextEdit*>(QStringLiteral("txtEdit")); }
    std::string shownText() { return textEdit().textUtf8(); }
    // The line count as the menu bar shows it.
    std::string caption() {
        return window().findChild<QAction*>(QStringLiteral("mnuPage"))->text().toStdString();
    }
    void save() { window().findChild<QAction*>(QStringLiteral("mnuFileSave"))->trigger(); }
    void useTmpdir(const std::string& path) {
        if (!tmpdirChanged) {
            const char* saved = std::getenv("TMPDIR");
            previousTmpdir = saved ? saved : "";
            tmpdirChanged = true;
        }
        ::setenv("TMPDIR", path.c_str(), 1);
    }

    TempDir dir;
    std::unique_ptr<TextDecoder> codec = std::move(*makeTextDecoder("Shift_JIS"));
    ModalMessageBoxes boxes;
    std::string saveAnswer; // what the save chooser returns
    FilePreview preview{
        PreviewServices{.codec = *codec,
                        .messageBoxes = boxes,
                        .chooseFile = [this](QWidget*, std::string_view, const std::string&, bool save) {
                            return FileChoice{save ? saveAnswer : std::string(), 0};
                        }}};
    std::string previousTmpdir;
    bool tmpdirChanged = false;
};

TEST_F(PreviewWindowTest, ShowsTheHeadOfAFileDecodedOrReportsAMissingFile) {
    const std::string data = dir.write("data.csv", "12,\x95\x5c\r\n56\r\n"); // "12,表" in Shift_JIS
    const std::tuple<std::int32_t, std::string, const char*> cases[] = {
        {0, "12,表\r\n56\r\n", "3"},    // 0 shows the whole file
        {4, "12,\xEF\xBF\xBD", "1"},    // the cut-off character decodes as U+FFFD
        {1000, "12,表\r\n56\r\n", "3"}, // more than the file holds
    };
    for (const auto& [asked, text, lines] : cases) {
        ASSERT_TRUE(preview.showFilePreview(data, asked)) << asked;
        EXPECT_EQ(std::tuple(shownText(), caption()), std::tuple(text, lines)) << asked;
        EXPECT_TRUE(window().isVisible());
    }
    EXPECT_TRUE(boxes.shown.empty());

    // A missing file is reported; the window showing keeps its text.
    EXPECT_FALSE(preview.showFilePreview(dir.file("missing.csv"), 0));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error: (2) \r\nNo such file or directory");
    EXPECT_EQ(boxes.shown[0].caption, "Trendola");
    EXPECT_EQ(shownText(), "12,表\r\n56\r\n");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy pointer is gone";
}

TEST_F(PreviewWindowTest, TheBufferedValuesOldestFirstThroughATemporaryFileThatGoes) {
    useTmpdir(dir.path());
    // Slots 1.5, -2, 0.1, 9 with 3 points across: the newest in slot 0 after a wrap.
    SampleRing samples(4, 4);
    for (double value : {0.0, -2.0, 0.1, 9.0})
        samples.pushLive(value);
    samples.setPointsPerView(3);
    samples.pushLive(1.5);
    preview.showBufferedValues(samples);
    EXPECT_EQ(shownText(), "-2\r\n0.1\r\n1.5\r\n");
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "the temporary file is removed";
    EXPECT_TRUE(boxes.shown.empty());

    // No temporary folder: reported, and the window shows all the same.
    useTmpdir(dir.file("missing"));
    window().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    preview.showBufferedValues(samples);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.starts_with("Error: (2) \r\n")) << boxes.shown[0].text;
    EXPECT_TRUE(window().isVisible());
}

TEST_F(PreviewWindowTest, SavesTheTextExactlyInTheDataFilesEncoding) {
    const std::string target = dir.write("out.txt", "a much longer old content that must go\r\n");
    ASSERT_TRUE(preview.showFilePreview(dir.write("data.csv", "12,\x95\x5c\r\n"), 0));
    textEdit().setCursorPosition(textEdit().document().end());
    textEdit().insertText(QStringLiteral("ｱ"));

    saveAnswer = "";
    save();
    EXPECT_EQ(readFile(target), "a much longer old content that must go\r\n")
        << "a cancelled choice writes nothing";

    saveAnswer = target;
    save();
    EXPECT_EQ(readFile(target), "12,\x95\x5c\r\n\xb1") << "no byte-order mark, no added line end";
    EXPECT_TRUE(boxes.shown.empty());

    textEdit().insertText(QStringLiteral("😀"));
    save();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.starts_with("Error: (84) \r\n")) << boxes.shown[0].text;
    EXPECT_EQ(readFile(target), "12,\x95\x5c\r\n\xb1") << "a refused save leaves the file as it was";
}

TEST_F(PreviewWindowTest, TheTextBoxFollowsTheWindowAndATooLowWindowIsReportedOnceTheResizeIsOver) {
    ASSERT_TRUE(preview.showFilePreview(dir.write("data.csv", "1\n"), 0));
    PreviewWindow& form = window();
    QWidget* client = form.centralWidget();
    ASSERT_EQ(form.logicalDpiY(), 96) << "15 twips a pixel";
    form.resize(600, 400);
    QCoreApplication::processEvents();
    // Outer size - 150 and - 780 twips, on a client that is the outer size
    // less the design's frame of 135 and 735 twips.
    EXPECT_EQ(textEdit().size(), client->size() - QSize(1, 3));
    EXPECT_EQ(textEdit().pos(), QPoint(0, 0));
    EXPECT_TRUE(boxes.shown.empty());

    // Shrinking again while the box is up, or before it is, reports nothing more.
    const QSize before = textEdit().size();
    const int frame = form.height() - client->height();
    boxes.whileShown = [&] {
        form.resize(250, frame + 2);
        QCoreApplication::processEvents();
    };
    form.resize(300, frame + 2); // a client 2 pixels high
    ASSERT_EQ(client->height(), 2);
    EXPECT_TRUE(boxes.shown.empty()) << "no box inside the resize";
    form.resize(280, frame + 1);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "エラー");
    EXPECT_TRUE(boxes.shown[0].text.starts_with("Error: 1005, ")) << boxes.shown[0].text;
    EXPECT_EQ(textEdit().size(), before) << "the rest of the resize is skipped";
    EXPECT_TRUE(form.isVisible());

    // Once answered, the next shrink is reported again.
    boxes.whileShown = nullptr;
    form.resize(300, frame + 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown.size(), 2u);
}

} // namespace
