#include "monitor/Monitor.h"
#include "text/TextCodec.h"
#include "largetext/LargeTextEdit.h"
#include "secondary/FilePreview.h"
#include "secondary/PreviewWindow.h"
#include "support/FakeMessageBoxes.h"
#include "support/TempDir.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

namespace {

class PreviewWindowTest : public testing::Test {
protected:
    ~PreviewWindowTest() override {
        if (tmpdirChanged)
            previousTmpdir.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", previousTmpdir.c_str(), 1);
    }

    PreviewWindow& window() { return *preview.window(); }
    std::string shownText() { return window().textEdit->textUtf8(); }
    std::string caption() { return window().lineCountAction->text().toStdString(); }
    void useTmpdir(const std::string& path) {
        if (!tmpdirChanged) {
            const char* saved = std::getenv("TMPDIR");
            previousTmpdir = saved ? saved : "";
            tmpdirChanged = true;
        }
        ::setenv("TMPDIR", path.c_str(), 1);
    }

    TempDir dir;
    std::unique_ptr<TextDecoder> codec = [] {
        std::string error;
        return makeTextDecoder("Shift_JIS", error);
    }();
    FakeMessageBoxes boxes;
    std::string saveAnswer; // what the save chooser returns
    FilePreview preview{
        PreviewServices{.codec = *codec,
                        .messageBoxes = boxes,
                        .showFileDialog = [this](QWidget*, std::string_view, const std::string&, bool save) {
                            return save ? saveAnswer : std::string();
                        }}};
    std::string previousTmpdir;
    bool tmpdirChanged = false;
};

TEST_F(PreviewWindowTest, ShowsTheHeadOfAFileDecodedOrReportsAMissingFile) {
    const std::string data = dir.write("data.csv", "12,\x95\x5c\r\n56\r\n"); // "12,表" in Shift_JIS
    const std::tuple<std::int32_t, std::string, std::int32_t, const char*> cases[] = {
        {0, "12,表\r\n56\r\n", 11, "3"}, // 0 shows the whole file and becomes its length
        {4, "12,\xEF\xBF\xBD", 4, "1"},  // the cut-off character decodes as U+FFFD
    };
    for (const auto& [asked, text, sizeAfter, lines] : cases) {
        std::int32_t size = asked;
        ASSERT_TRUE(preview.showFilePreview(data, size)) << asked;
        EXPECT_EQ(std::tuple(shownText(), size, caption()), std::tuple(text, sizeAfter, lines)) << asked;
        EXPECT_TRUE(window().isVisible());
    }
    EXPECT_TRUE(boxes.shown.empty());

    // A missing file is reported; the window showing keeps its text.
    std::int32_t size = 0;
    EXPECT_FALSE(preview.showFilePreview(dir.file("missing.csv"), size));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Error: (2) \r\nNo such file or directory");
    EXPECT_EQ(boxes.shown[0].caption, "Trendola");
    EXPECT_EQ(shownText(), "12,\xEF\xBF\xBD");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy pointer is gone";
}

TEST_F(PreviewWindowTest, TheBufferedValuesOldestFirstThroughATemporaryFileThatGoes) {
    useTmpdir(dir.path());
    MonitorState state;
    state.pointsPerView = 3;
    state.samples = {{1.5}, {-2}, {0.1}, {9}};
    state.newestSlot = 0;
    state.samplesWrapped = true;
    preview.showBufferedValues(state);
    EXPECT_EQ(shownText(), "-2\r\n0.1\r\n1.5\r\n");
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "the temporary file is removed";
    EXPECT_TRUE(boxes.shown.empty());

    // No temporary folder: reported, and the window shows all the same.
    useTmpdir(dir.file("missing"));
    window().close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    preview.showBufferedValues(state);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.starts_with("Error: (2) \r\n")) << boxes.shown[0].text;
    EXPECT_TRUE(window().isVisible());
}

TEST_F(PreviewWindowTest, SavesTheTextExactlyInTheDataFilesEncoding) {
    const std::string target = dir.write("out.txt", "a much longer old content that must go\r\n");
    std::int32_t size = 0;
    ASSERT_TRUE(preview.showFilePreview(dir.write("data.csv", "12,\x95\x5c\r\n"), size));
    window().textEdit->setCursorPosition(window().textEdit->document().end());
    window().textEdit->insertText(QStringLiteral("ｱ"));

    saveAnswer = "";
    window().saveAction->trigger();
    EXPECT_EQ(readFile(target), "a much longer old content that must go\r\n")
        << "a cancelled choice writes nothing";

    saveAnswer = target;
    window().saveAction->trigger();
    EXPECT_EQ(readFile(target), "12,\x95\x5c\r\n\xb1") << "no byte-order mark, no added line end";
    EXPECT_TRUE(boxes.shown.empty());

    window().textEdit->insertText(QStringLiteral("😀"));
    window().saveAction->trigger();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.starts_with("Error: (84) \r\n")) << boxes.shown[0].text;
    EXPECT_EQ(readFile(target), "12,\x95\x5c\r\n\xb1") << "a refused save leaves the file as it was";
}

TEST_F(PreviewWindowTest, TheTextBoxFollowsTheWindowAndATooLowWindowIsReported) {
    std::int32_t size = 0;
    ASSERT_TRUE(preview.showFilePreview(dir.write("data.csv", "1\n"), size));
    PreviewWindow& form = window();
    QWidget* client = form.centralWidget();
    ASSERT_EQ(form.logicalDpiY(), 96) << "15 twips a pixel";
    form.resize(600, 400);
    QCoreApplication::processEvents();
    // Outer size - 150 and - 780 twips, on a client that is the outer size
    // less the design's frame of 135 and 735 twips.
    EXPECT_EQ(form.textEdit->size(), client->size() - QSize(1, 3));
    EXPECT_EQ(form.textEdit->pos(), QPoint(0, 0));
    EXPECT_TRUE(boxes.shown.empty());

    const QSize before = form.textEdit->size();
    form.resize(300, form.height() - client->height() + 2); // a client 2 pixels high
    QCoreApplication::processEvents();
    ASSERT_EQ(client->height(), 2);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, "エラー");
    EXPECT_TRUE(boxes.shown[0].text.starts_with("Error: 1005, ")) << boxes.shown[0].text;
    EXPECT_EQ(form.textEdit->size(), before) << "the rest of the resize is skipped";
}

} // namespace
