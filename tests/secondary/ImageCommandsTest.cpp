// The image commands of the main window's menus: saving, loading a
// background, printing, copying; what they do to the graph and to files, how
// they fail, and runs that go on afterwards. The page itself:
// ImagePrintingTest.

#include "ImageCommandsFixture.h"

#include "monitor/LiveTick.h"
#include "monitor/RunControl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <utility>

namespace {

namespace fs = std::filesystem;

// The message of a system failure about `path`.
std::string failureAbout(const std::string& path, int errnoValue) {
    Error error = systemError(errnoValue);
    error.message = path + ": " + error.message;
    return fileErrorMessage(error);
}

// The commands, by the name of their menu item.
using Command = void (ImageCommands::*)();
const std::pair<const char*, Command> kCommands[] = {{"mnuSave", &ImageCommands::save},
                                                     {"mnuLoad", &ImageCommands::load},
                                                     {"mnuPrint", &ImageCommands::print},
                                                     {"mnuViewClipBord", &ImageCommands::copyToClipboard}};

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
    images.save();
    EXPECT_EQ(shown(), before) << "save";
    images.load();
    EXPECT_EQ(shown(), before) << "load";
    ASSERT_EQ(chooserCalls.size(), 2u);
    EXPECT_EQ(std::tuple(chooserCalls[0].filter, chooserCalls[0].save), std::tuple(kImageSaveFilter, true));
    EXPECT_EQ(std::tuple(chooserCalls[1].filter, chooserCalls[1].save), std::tuple(kImageLoadFilter, false));
    EXPECT_TRUE(filesIn(dir.path()).empty());
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(ImageCommandsTest, SaveWritesTheChosenPairsFormatUnderExactlyTheChosenName) {
    const std::tuple<const char*, int, std::string_view> cases[] = {
        {"graph", 0, "BM"},                    // no extension is added
        {"graph.png", 0, "BM"},                // the bitmap pair writes a bitmap whatever the name
        {"graph.bmp", 1, "\x89PNG\r\n\x1a\n"}, // the PNG pair writes PNG
    };
    for (const auto& [name, pair, magic] : cases) {
        SCOPED_TRACE(name);
        resetChart(context); // before any value: no span
        ASSERT_EQ(textPixels(), 0);
        const std::string path = dir.file(name);
        choose(path, pair);
        images.save();

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
    const std::string data = dir.write("data.csv", "1\n2\n");
    applySettingsFor(data);
    const std::string missing = dir.file("missing/graph.bmp");
    const std::pair<std::string, std::string> cases[] = {
        {missing, failureAbout(missing, ENOENT)},
        {data, "Error: (1005) \r\n保存先がデータファイルと同じため保存しません: " + data},
    };
    drawGraph();
    for (const auto& [path, message] : cases) {
        view.messages.clear();
        choose(path);
        images.save();
        EXPECT_EQ(lastMessage(), message) << path;
    }
    EXPECT_EQ(readFile(data), "1\n2\n");
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
        images.load();
        EXPECT_EQ(lastMessage(), "");
        const QImage atOnce = shown();
        EXPECT_GT(pictureShown(), 0);
        EXPECT_EQ(pixelsNear(atOnce, QRect(48, 48, 10000, 10000), blue, tolerance), 0) << "not stretched";
        drawGraph();
        EXPECT_EQ(shown(), atOnce) << "shown at once, behind the graph, as a redraw shows it";
        resetChart(context);
        EXPECT_EQ(pictureShown(), 48 * 48) << "after Init";

        // "全てｸﾘｱ" removes the background, then initialises.
        surface.clearBackgroundPicture();
        resetChart(context);
        EXPECT_EQ(pictureShown(), 0) << "gone";
    }
}

TEST_F(ImageCommandsTest, APictureThatCannotBeReadIsReportedAndChangesNothing) {
    QImage good(20, 20, QImage::Format_RGB32);
    good.fill(Qt::blue);
    ASSERT_TRUE(good.save(QString::fromStdString(dir.file("good.bmp"))));
    choose(dir.file("good.bmp"));
    images.load();
    drawGraph();
    const QImage before = shown();

    const std::string fifo = dir.file("pipe.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {dir.write("text.bmp", "21.5,1013\n"), "Error: (1481) \r\n" + dir.file("text.bmp") + ": "},
        {dir.file("missing.bmp"), failureAbout(dir.file("missing.bmp"), ENOENT)},
        {dir.path(), failureAbout(dir.path(), EISDIR)},
        {"/dev/null", "Error: (1481) \r\n/dev/null: 読み込める画像ではありません (ファイルではありません)。"},
        {fifo, "Error: (1481) \r\n" + fifo + ": "}, // refused without waiting for a writer
    };
    for (const auto& [path, messageStart] : cases) {
        SCOPED_TRACE(path);
        view.messages.clear();
        choose(path);
        images.load();
        EXPECT_EQ(lastMessage().substr(0, messageStart.size()), messageStart);
        EXPECT_EQ(shown(), before);
    }
    chart.clearSurface();
    EXPECT_EQ(pixelsNear(shown(), QRect(0, 0, 20, 20), Qt::blue), 20 * 20) << "the earlier picture stays";
}

TEST_F(ImageCommandsTest, PrintingDrawsNothingAndAMissingPrinterIsReported) {
    drawGraph();
    const QImage graph = shown();
    const std::string pdf = dir.file("page.pdf");
    const auto pdfPrinter = [](const std::string& path) {
        auto printer = std::make_unique<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(path));
        return printer;
    };
    const std::tuple<const char*, PrinterFactory, std::string> cases[] = {
        {"a printer", [&] { return pdfPrinter(pdf); }, ""},
        {"no printer at all", [] { return std::unique_ptr<QPrinter>(); },
         "Error: (1482) \r\n印刷するプリンタがありません。"},
        // What Qt hands out where no printer is installed: a PDF printer with no file.
        {"no default printer", [&] { return pdfPrinter(std::string()); },
         "Error: (1482) "
         "\r\n印刷するプリンタがありません。プリンタが無いか、通常使うプリンタが設定されていません。"},
    };
    for (const auto& [what, factory, message] : cases) {
        SCOPED_TRACE(what);
        view.messages.clear();
        printer = factory;
        images.print();
        EXPECT_EQ(lastMessage(), message);
        EXPECT_EQ(shown(), graph) << "nothing is drawn on the graph";
    }
    EXPECT_EQ(filesIn(dir.path()), std::vector<std::string>{"page.pdf"});
}

TEST_F(ImageCommandsTest, CopyPutsTheGraphWithItsMaxMinTextOnTheClipboard) {
    // Before any value (no span) and with a graph.
    for (bool graph : {false, true}) {
        SCOPED_TRACE(graph);
        if (graph)
            drawGraph();
        QGuiApplication::clipboard()->clear();
        images.copyToClipboard();
        EXPECT_EQ(lastMessage(), "");
        EXPECT_GT(textPixels(), 0);
        EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown());
    }

    clipboard = [](const QImage&) -> Result<> { return Error{kErrClipboard, "refused"}; };
    const QImage held = QGuiApplication::clipboard()->image();
    images.copyToClipboard();
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

    // A user's click on a run button: it toggles, then its toggle runs.
    void click(RunButton button) { view.setRunButtonDown(button, !view.runButtonDown(button)); }
    // Chooses what the command's chooser asks for, and runs it.
    void runCommand(Command command) {
        choose(command == &ImageCommands::save ? dir.file("graph.bmp") : dir.file("picture.bmp"));
        (images.*command)();
    }
};

TEST_F(ImageCommandsRunTest, ALiveGraphGoesOnAfterEachCommand) {
    const std::string data = dir.write("data.csv", "40\n");
    applySettingsFor(data);
    click(RunButton::Live);
    for (const auto& [name, command] : kCommands) {
        SCOPED_TRACE(name);
        runCommand(command);
        EXPECT_EQ(lastMessage(), "");
        EXPECT_TRUE(view.runButtonDown(RunButton::Live));
        EXPECT_TRUE(view.pollTimerEnabled);
        // The timer's next tick still plots.
        const int position = monitor.samples().newestSlot();
        dir.append("data.csv", "41\n");
        EXPECT_TRUE(liveTick(context));
        EXPECT_NE(monitor.samples().newestSlot(), position) << "still plotting";
    }
    click(RunButton::Stop);
}

TEST_F(ImageCommandsRunTest, AReplayGoesOnToItsEndAfterEachCommand) {
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += std::to_string(i % 100) + "\n";
    applySettingsFor(dir.write("data.csv", lines));
    for (const auto& [name, command] : kCommands) {
        SCOPED_TRACE(name);
        bool ran = false;
        // The command arrives while the replay lets events run.
        view.onEvents = [&, command = command] {
            if (std::exchange(ran, true))
                return;
            EXPECT_TRUE(monitor.running()) << "chosen during the replay";
            runCommand(command);
        };
        click(RunButton::Replay);
        EXPECT_TRUE(ran);
        EXPECT_EQ(lastMessage(), "");
        EXPECT_EQ(view.status, "300行目を表示中... 301行 表示完了");
        EXPECT_FALSE(view.runButtonDown(RunButton::Replay));
    }
}

} // namespace
