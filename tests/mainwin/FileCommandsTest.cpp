// The main window's file commands in the whole program: drops on the window
// and on the graph, "ﾃﾞｰﾀﾌｧｲﾙ読込", the data preview, the dialog's preview
// rule and rotated text on the graph.

#include "MainWindowFixture.h"

#include "largetext/LargeTextEdit.h"
#include "mainwin/MainProgram.h"
#include "secondary/AboutDialog.h"
#include "secondary/PreviewWindow.h"
#include "secondary/SecondaryWindows.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsDialogHost.h"
#include "support/FakeMessageBoxes.h"
#include "support/Pixels.h"
#include "support/TempDir.h"
#include "surface/RasterSurface.h"
#include "text/TextDecoder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QMimeData* filesData(const std::vector<std::string>& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    data->setUrls(urls);
    return data;
}

// Drags `data` over `target` and drops it there, as the window system
// delivers a drop; true when the drag was accepted.
bool dragAndDrop(QWidget* target, QMimeData* data) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    delete data;
    return enter.isAccepted();
}

class FileCommandsTest : public testing::Test {
protected:
    FileCommandsTest() {
        program.setQuitHandler([] {});
    }
    ~FileCommandsTest() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    MainWindow& window() { return program.mainWindow(); }
    std::string dataFileEdit() { return program.settings().model().text(DialogControl::dataFileEdit); }
    PreviewWindow* previewWindow() { return program.secondaryWindows().preview().window(); }
    std::string previewText() { return child<LargeTextEdit>(*previewWindow(), "txtEdit")->textUtf8(); }
    QWidget* graph() { return child(window(), "picView"); }

    TempDir dir;
    FakeMessageBoxes boxes;
    MainProgram program{std::make_unique<Utf8Decoder>(), boxes, [](auto&&...) { return FileChoice{}; },
                        [](auto&&...) { return std::string(); }};
};

TEST_F(FileCommandsTest, ADropOnTheWindowOrTheGraphPutsTheFirstFileIntoTheDialog) {
    program.start({});
    const std::string first = dir.write("first.csv", "1\n");
    const std::string second = dir.write("second.csv", "2\n");
    for (QWidget* target : {static_cast<QWidget*>(&window()), graph()}) {
        const std::string name = target->objectName().toStdString();
        program.settings().setDataFileText("");
        if (program.settings().window())
            program.settings().window()->hide();

        QMimeData* text = new QMimeData;
        text->setText(QString::fromStdString(first));
        EXPECT_FALSE(dragAndDrop(target, text)) << name << ": text is no file";
        EXPECT_EQ(dataFileEdit(), "") << name;
        EXPECT_FALSE(program.settings().window()->isVisible()) << name;

        EXPECT_TRUE(dragAndDrop(target, filesData({first, second, dir.file("third.csv")}))) << name;
        EXPECT_EQ(dataFileEdit(), first) << name;
        EXPECT_TRUE(program.settings().window()->isVisible()) << name;
        EXPECT_TRUE(program.settings().model().okEnabled()) << name << ": the field's change rule ran";

        EXPECT_TRUE(dragAndDrop(target, filesData({dir.path()}))) << name;
        EXPECT_EQ(dataFileEdit(), dir.path()) << name << ": a folder as a file";
    }
}

// During a live run, and with data that some X11 sources no longer give at
// the drop: the files seen when the drag entered are used, nothing applies.
TEST_F(FileCommandsTest, ADropDuringALiveRunWhoseDataIsGoneLeavesTheRunGoing) {
    const std::string data = dir.write("data.csv", "1\n2\n");
    program.start(data);
    QTest::mouseClick(child<QPushButton>(*program.settings().window(), "OKButton"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(window(), "chkStart_2"), Qt::LeftButton);
    ASSERT_TRUE(child<QTimer>(window(), "tmrTime")->isActive());
    const std::string other = dir.write("other.csv", "3\n");
    std::unique_ptr<QMimeData> files(filesData({other, dir.file("second.csv")}));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(graph(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QMimeData gone;
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &gone, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(graph(), &drop);
    EXPECT_EQ(dataFileEdit(), other);
    EXPECT_TRUE(child<QTimer>(window(), "tmrTime")->isActive());
    EXPECT_TRUE(child<QPushButton>(window(), "chkStart_2")->isChecked());
    EXPECT_EQ(program.monitor().settings().dataFile, data) << "nothing applies before 設定(&S)";
}

TEST_F(FileCommandsTest, TheMenuCommandsOpenTheirWindows) {
    program.start({});
    child<QAction>(window(), "mnuDatLoad")->trigger();
    ASSERT_TRUE(program.settings().window());
    EXPECT_TRUE(program.settings().window()->isVisible());
    child<QAction>(window(), "mnuVersion")->trigger();
    ASSERT_TRUE(program.secondaryWindows().about());
    EXPECT_TRUE(program.secondaryWindows().about()->isVisible());

    program.monitor().samples().pushLive(21.5);
    program.monitor().samples().pushLive(-0.25);
    child<QAction>(window(), "mnuViewDatPreview")->trigger();
    ASSERT_TRUE(previewWindow());
    EXPECT_EQ(previewText(), "21.5\r\n-0.25\r\n");
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor) << "the busy pointer is gone";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileCommandsTest, TheDialogsPreviewRuleShowsTheTypedByteCount) {
    const std::string data = dir.write("data.csv", "12,34\r\n56,78\r\n");
    program.start({});
    DialogModel& dialog = program.settings().model();
    dialog.setText(DialogControl::dataFileEdit, data);
    EXPECT_FALSE(previewWindow()) << "no preview until it is asked for";

    dialog.setChecked(DialogControl::previewCheck, true);
    dialog.setText(DialogControl::previewBytesEdit, "4");
    dialog.setText(DialogControl::dataFileEdit, data + "x"); // no such file: nothing happens
    ASSERT_TRUE(previewWindow());
    EXPECT_EQ(previewText(), "12,34\r\n56,78\r\n") << "ticking the box previews 1000 bytes";
    dialog.setText(DialogControl::dataFileEdit, data);
    EXPECT_EQ(previewText(), "12,3");
    dialog.setText(DialogControl::previewBytesEdit, "");
    program.settings().setDataFileText(data);
    EXPECT_EQ(previewText(), "12,34\r\n56,78\r\n") << "an empty count shows the whole file";

    // Typing the path goes on in the dialog while the preview follows.
    SettingsDialog* dialogWindow = program.settings().window();
    program.settings().showDialog();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialogWindow));
    QWidget* dataFileField = child(*dialogWindow, "txtInFile");
    dataFileField->setFocus();
    QTest::keyClick(dataFileField, Qt::Key_Backspace);
    QTest::keyClicks(dataFileField, "v");
    EXPECT_EQ(dataFileEdit(), data);
    EXPECT_EQ(previewText(), "12,34\r\n56,78\r\n");
    QCoreApplication::processEvents(); // a window's activation arrives as an event
    EXPECT_EQ(QApplication::activeWindow(), dialogWindow) << "the keyboard stays in the dialog";
}

TEST_F(FileCommandsTest, RotatedTextOnTheGraphIsBoldOnlyForMinusOne) {
    program.start({});
    RasterSurface& surface = program.session().surface();
    const auto inkFor = [&](int bold) {
        surface.clear();
        program.session().drawRotatedText(14, "IPAGothic", 0, bold, 10, 20, "ABC");
        const QImage& image = surface.image();
        return image.width() * image.height() -
               pixelsOfColour(image, image.pixelColor(0, image.height() - 1));
    };
    const int normal = inkFor(0);
    EXPECT_GT(normal, 0);
    EXPECT_EQ(inkFor(1), normal) << "1 is not True";
    EXPECT_GT(inkFor(-1), normal);
    EXPECT_EQ(surface.scaleMode(), ScaleMode::Millimetres);
    EXPECT_NEAR(surface.currentX(), 20, 0.01) << "placed through Locate(Left, Top)";
    EXPECT_GT(surface.currentY(), 10);
}

} // namespace
