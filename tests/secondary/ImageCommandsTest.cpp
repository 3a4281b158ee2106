// The image commands from the main window's menus: saving, loading a
// background, copying; what they do to the graph and to files, how they
// fail, and runs that go on afterwards. Printing: ImagePrintingTest.

#include "models/CommandLine.h"
#include "monitor/Monitor.h"
#include "surface/RasterSurface.h"
#include "tests/secondary/ImageCommandsFixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>

namespace {

namespace fs = std::filesystem;

// The message of a system failure about `path`.
std::string failureAbout(const std::string& path, int errnoValue) {
    Error error = systemError(errnoValue);
    error.message = path + ": " + error.message;
    return fileErrorMessage(error);
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ImageCommandsTest, CancelledChoosersDrawAndWriteNothing) {
    drawGraph();
    const QImage before = shown();
    for (QAction* item : {window->saveImageAction, window->loadImageAction}) {
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_EQ(shown(), before) << item->objectName().toStdString();
    }
    ASSERT_EQ(chooserCalls.size(), 2u);
    EXPECT_EQ(std::tuple(chooserCalls[0].filter, chooserCalls[0].save), std::tuple(kImageSaveFilter, true));
    EXPECT_EQ(std::tuple(chooserCalls[1].filter, chooserCalls[1].save), std::tuple(kImageLoadFilter, false));
    EXPECT_TRUE(filesIn(dir.path()).empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ImageCommandsTest, SaveWritesTheChosenPairsFormatUnderExactlyTheChosenName) {
    const std::tuple<const char*, int, std::string_view> cases[] = {
        {"graph", 0, "BM"},                    // no extension is added
        {"graph.png", 0, "BM"},                // the bitmap pair writes a bitmap whatever the name
        {"graph.bmp", 1, "\x89PNG\r\n\x1a\n"}, // the PNG pair writes PNG
    };
    for (const auto& [name, pair, magic] : cases) {
        SCOPED_TRACE(name);
        state.highest = state.lowest = state.scaleTop = state.scaleBottom = 0; // before any value: no span
        session.chart().clearSurface();
        ASSERT_EQ(textPixels(), 0);
        const std::string path = dir.file(name);
        choose(path, pair);
        window->saveImageAction->trigger();

        EXPECT_EQ(lastMessage(), "");
        EXPECT_EQ(readFile(path).substr(0, magic.size()), magic);
        EXPECT_GT(textPixels(), 0) << "the Max/Min text stays on the graph";
        EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), shown())
            << "the file holds the graph with its text";
        fs::remove(path);
        EXPECT_TRUE(filesIn(dir.path()).empty()) << "nothing else was written";
    }
}

TEST_F(ImageCommandsTest, AFailedSaveIsReportedAndLeavesEveryFileAsItWas) {
    state.dataFile = dir.write("data.csv", "1\n2\n");
    const std::string missing = dir.file("missing/graph.bmp");
    const std::pair<std::string, std::string> cases[] = {
        {missing, failureAbout(missing, ENOENT)},
        {state.dataFile,
         "Error: (1005) \r\n保存先がデータファイルと同じため保存しません: " + state.dataFile},
    };
    drawGraph();
    for (const auto& [path, message] : cases) {
        boxes.shown.clear();
        choose(path);
        window->saveImageAction->trigger();
        EXPECT_EQ(lastMessage(), message) << path;
    }
    EXPECT_EQ(readFile(state.dataFile), "1\n2\n");
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"data.csv"}) << "no temporary file is left";
}

TEST_F(ImageCommandsTest, ALoadedPictureStaysBehindTheGraphUntilTheBackgroundIsRemoved) {
    const QColor blue(0, 0, 255);
    const QRect area(0, 0, 48, 48); // the picture's place: the top-left, at its own size
    for (const char* format : {"BMP", "JPG", "ICO"}) {
        SCOPED_TRACE(format);
        QImage picture(48, 48, QImage::Format_RGB32);
        picture.fill(blue);
        const std::string path = dir.file(std::string("picture.") + format);
        ASSERT_TRUE(picture.save(QString::fromStdString(path), format));
        const int tolerance = std::string(format) == "JPG" ? 8 : 0;
        const auto pictureShown = [&] { return pixelsNear(shown(), area, blue, tolerance); };

        drawGraph();
        ASSERT_EQ(pictureShown(), 0);
        choose(path);
        window->loadImageAction->trigger();
        EXPECT_EQ(lastMessage(), "");
        const QImage atOnce = shown();
        EXPECT_GT(pictureShown(), 0);
        EXPECT_EQ(pixelsNear(atOnce, QRect(48, 48, 10000, 10000), blue, tolerance), 0) << "not stretched";
        drawGraph();
        EXPECT_EQ(shown(), atOnce) << "shown at once, behind the graph, as a redraw shows it";
        window->resetChart();
        EXPECT_EQ(pictureShown(), 48 * 48) << "after Init";

        // "全てｸﾘｱ" removes the background, then initialises.
        session.surface().clearBackgroundPicture();
        window->resetChart();
        EXPECT_EQ(pictureShown(), 0) << "gone";
    }
}

TEST_F(ImageCommandsTest, APictureThatCannotBeReadIsReportedAndChangesNothing) {
    QImage good(20, 20, QImage::Format_RGB32);
    good.fill(Qt::blue);
    ASSERT_TRUE(good.save(QString::fromStdString(dir.file("good.bmp"))));
    choose(dir.file("good.bmp"));
    window->loadImageAction->trigger();
    drawGraph();
    const QImage before = shown();

    const std::string fifo = dir.file("pipe.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {dir.write("text.bmp", "21.5,1013\n"), "Error: (1481) \r\n" + dir.file("text.bmp") + ": "},
        {dir.file("missing.bmp"), failureAbout(dir.file("missing.bmp"), ENOENT)},
        {dir.path(), failureAbout(dir.path(), EISDIR)},
        {"/dev/null", "Error: (1481) \r\n/dev/null: not a picture that can be loaded (not a file)."},
        {fifo, "Error: (1481) \r\n" + fifo + ": "}, // refused without waiting for a writer
    };
    for (const auto& [path, messageStart] : cases) {
        SCOPED_TRACE(path);
        boxes.shown.clear();
        choose(path);
        window->loadImageAction->trigger();
        EXPECT_EQ(lastMessage().substr(0, messageStart.size()), messageStart);
        EXPECT_EQ(shown(), before);
    }
    session.chart().clearSurface();
    EXPECT_EQ(pixelsNear(shown(), QRect(0, 0, 20, 20), Qt::blue), 20 * 20) << "the earlier picture stays";
}

TEST_F(ImageCommandsTest, CopyPutsTheGraphWithItsMaxMinTextOnTheClipboard) {
    // Before any value (no span) and with a graph.
    for (bool graph : {false, true}) {
        SCOPED_TRACE(graph);
        if (graph)
            drawGraph();
        QGuiApplication::clipboard()->clear();
        window->copyGraphAction->trigger();
        EXPECT_EQ(lastMessage(), "");
        EXPECT_GT(textPixels(), 0);
        EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown());
    }

    clipboard = [](const QImage&) -> Result<> { return Error{kErrClipboard, "refused"}; };
    const QImage held = QGuiApplication::clipboard()->image();
    window->copyGraphAction->trigger();
    EXPECT_EQ(lastMessage(), "Error: (" + std::to_string(kErrClipboard) + ") \r\nrefused");
    EXPECT_EQ(QGuiApplication::clipboard()->image(), held);
}

// The commands in the middle of a live graph and of a replay: the run goes
// on afterwards as if nothing had happened.
class ImageCommandsRunTest : public ImageCommandsTest {
protected:
    ImageCommandsRunTest() {
        QImage picture(30, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        picture.save(QString::fromStdString(dir.file("picture.bmp")));
        printer = [this] {
            auto pdf = std::make_unique<QPrinter>();
            pdf->setOutputFormat(QPrinter::PdfFormat);
            pdf->setOutputFileName(QString::fromStdString(dir.file("page.pdf")));
            return pdf;
        };
    }

    void click(int index) { QTest::mouseClick(window->runButtons[index], Qt::LeftButton); }
    // Chooses what each command's chooser asks for, and runs it.
    void runCommand(QAction* item) {
        choose(item == window->saveImageAction ? dir.file("graph.bmp") : dir.file("picture.bmp"));
        item->trigger();
    }
    std::vector<QAction*> commands() const {
        return {window->saveImageAction, window->loadImageAction, window->printImageAction, window->copyGraphAction};
    }
};

TEST_F(ImageCommandsRunTest, ALiveGraphGoesOnAfterEachCommand) {
    const std::string data = dir.write("data.csv", "40\n");
    applySettingsFor(data);
    click(2);
    for (QAction* item : commands()) {
        SCOPED_TRACE(item->objectName().toStdString());
        runCommand(item);
        EXPECT_EQ(lastMessage(), "");
        EXPECT_TRUE(window->runButtonDown(2));
        const std::int32_t position = state.newestSlot;
        EXPECT_TRUE(QTest::qWaitFor([&] { return state.newestSlot != position; }, 3000)) << "still plotting";
    }
    click(0);
}

TEST_F(ImageCommandsRunTest, AReplayGoesOnToItsEndAfterEachCommand) {
    std::string lines;
    for (int i = 0; i < 200'000; ++i)
        lines += std::to_string(i % 100) + "\n";
    applySettingsFor(dir.write("data.csv", lines));
    for (QAction* item : commands()) {
        SCOPED_TRACE(item->objectName().toStdString());
        bool ran = false;
        // The command arrives while the replay lets events run.
        QTimer::singleShot(0, window.get(), [&] {
            ran = state.running;
            runCommand(item);
        });
        click(1);
        EXPECT_TRUE(ran) << "chosen during the replay";
        EXPECT_EQ(lastMessage(), "");
        EXPECT_EQ(window->statusLabel->text().toStdString(), "200000行目を表示中... 200001行 表示完了");
    }
}

} // namespace
