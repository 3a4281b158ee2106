// The image commands from the main window's menus: saving, loading a
// background, copying; what they do to the graph and to files, and how they
// fail. Printing: ImagePrintingTest.

#include "core/CommandLine.h"
#include "core/MonitorState.h"
#include "platform/surface/RasterSurface.h"
#include "tests/secondary/ImageCommandsFixture.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The message of a system failure about `path`.
std::string failureAbout(const std::string& path, int errnoValue) {
    CoreError error = systemError(errnoValue);
    error.description = path + ": " + error.description;
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
    for (QAction* item : {window->mnuSave, window->mnuLoad}) {
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_EQ(shown(), before) << item->objectName().toStdString();
    }
    ASSERT_EQ(chooserCalls.size(), 2u);
    EXPECT_EQ(chooserCalls[0].filter, kImageSaveFilter);
    EXPECT_TRUE(chooserCalls[0].save);
    EXPECT_EQ(chooserCalls[1].filter, kImageLoadFilter);
    EXPECT_FALSE(chooserCalls[1].save);
    EXPECT_TRUE(filesIn(dir.path()).empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ImageCommandsTest, SaveWritesTheChosenPairsFormatUnderExactlyTheChosenName) {
    const struct {
        const char* name;
        int pair;
        std::string_view magic;
    } cases[] = {
        {"graph", 0, "BM"},                    // no extension is added
        {"graph.png", 0, "BM"},                // the bitmap pair writes a bitmap whatever the name
        {"graph.bmp", 1, "\x89PNG\r\n\x1a\n"}, // the PNG pair writes PNG
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state.dblNowMax = state.dblNowMin = state.dblMaxY = state.dblMinY = 0; // before any value: no span
        session.chart().clearSurface();
        ASSERT_EQ(textPixels(), 0);
        const std::string path = dir.file(c.name);
        choose(path, c.pair);
        window->mnuSave->trigger();

        EXPECT_EQ(lastMessage(), "");
        EXPECT_EQ(contentOf(path).substr(0, c.magic.size()), c.magic);
        EXPECT_GT(textPixels(), 0) << "the Max/Min text stays on the graph";
        EXPECT_EQ(QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32), shown())
            << "the file holds the graph with its text";
        fs::remove(path);
        EXPECT_TRUE(filesIn(dir.path()).empty()) << "nothing else was written";
    }
}

TEST_F(ImageCommandsTest, AFailedSaveIsReportedAndLeavesEveryFileAsItWas) {
    dir.write("kept.bmp", "old picture");
    state.strInFile = dir.write("data.csv", "1\n2\n");
    fs::create_directory(dir.file("folder"));
    struct Case {
        std::string path;
        std::string message;
    };
    std::vector<Case> cases = {
        {dir.file("missing/graph.bmp"), failureAbout(dir.file("missing/graph.bmp"), ENOENT)},
        {dir.file("folder"), failureAbout(dir.file("folder"), EISDIR)},
        {dir.file("kept.bmp/graph.bmp"), failureAbout(dir.file("kept.bmp/graph.bmp"), ENOTDIR)},
        {state.strInFile, "Error: (1005) \r\n保存先がデータファイルと同じため保存しません: " + state.strInFile},
    };
    fs::create_directory(dir.file("locked"));
    dir.write("locked/kept.bmp", "old picture");
    fs::permissions(dir.file("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0) // the superuser writes into any folder
        cases.push_back({dir.file("locked/kept.bmp"), failureAbout(dir.file("locked/kept.bmp"), EACCES)});
    drawGraph();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        boxes.shown.clear();
        choose(c.path);
        window->mnuSave->trigger();
        EXPECT_EQ(lastMessage(), c.message);
    }
    EXPECT_EQ(contentOf(dir.file("kept.bmp")), "old picture");
    EXPECT_EQ(contentOf(state.strInFile), "1\n2\n");
    EXPECT_TRUE(fs::is_empty(dir.file("folder")));
    EXPECT_EQ(contentOf(dir.file("locked/kept.bmp")), "old picture");
    EXPECT_EQ(filesIn(dir.path()), (std::vector<std::string>{"data.csv", "folder", "kept.bmp", "locked"}))
        << "no temporary file is left";
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
        window->mnuLoad->trigger();
        EXPECT_EQ(lastMessage(), "");
        const QImage atOnce = shown();
        EXPECT_GT(pictureShown(), 0);
        EXPECT_EQ(pixelsNear(atOnce, QRect(48, 48, 10000, 10000), blue, tolerance), 0) << "not stretched";
        drawGraph();
        EXPECT_EQ(shown(), atOnce) << "shown at once, behind the graph, as a redraw shows it";
        window->cmdInit_Click();
        EXPECT_EQ(pictureShown(), 48 * 48) << "after Init";

        // "全てｸﾘｱ" removes the background, then initialises.
        session.surface().clearBackgroundPicture();
        window->cmdInit_Click();
        EXPECT_EQ(pictureShown(), 0) << "gone";
    }
}

TEST_F(ImageCommandsTest, APictureThatCannotBeReadIsReportedAndChangesNothing) {
    QImage good(20, 20, QImage::Format_RGB32);
    good.fill(Qt::blue);
    ASSERT_TRUE(good.save(QString::fromStdString(dir.file("good.bmp"))));
    const std::string bmp = contentOf(dir.file("good.bmp"));
    choose(dir.file("good.bmp"));
    window->mnuLoad->trigger();
    drawGraph();
    const QImage before = shown();

    const std::string fifo = dir.file("pipe.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string messageStart;
    } cases[] = {
        {dir.write("text.bmp", "21.5,1013\n"), "Error: (1481) \r\n" + dir.file("text.bmp") + ": "},
        {dir.write("empty.jpg", ""), "Error: (1481) \r\n"},
        {dir.write("cut.bmp", bmp.substr(0, 40)), "Error: (1481) \r\n"},
        {dir.write("nul.ico", std::string(64, '\0')), "Error: (1481) \r\n"},
        {dir.file("missing.bmp"), failureAbout(dir.file("missing.bmp"), ENOENT)},
        {dir.path(), failureAbout(dir.path(), EISDIR)},
        {"/dev/null", "Error: (1481) \r\n/dev/null: not a picture that can be loaded (not a file)."},
        {fifo, "Error: (1481) \r\n" + fifo + ": "}, // refused without waiting for a writer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        boxes.shown.clear();
        choose(c.path);
        window->mnuLoad->trigger();
        EXPECT_EQ(lastMessage().substr(0, c.messageStart.size()), c.messageStart);
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
        window->mnuViewClipBord->trigger();
        EXPECT_EQ(lastMessage(), "");
        EXPECT_GT(textPixels(), 0);
        EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown());
    }

    clipboard = [](const QImage&) -> Result<> { return CoreError{kErrClipboard, "refused"}; };
    const QImage held = QGuiApplication::clipboard()->image();
    window->mnuViewClipBord->trigger();
    EXPECT_EQ(lastMessage(), "Error: (" + std::to_string(kErrClipboard) + ") \r\nrefused");
    EXPECT_EQ(QGuiApplication::clipboard()->image(), held);
}

} // namespace
