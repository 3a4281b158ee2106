// The image commands in the middle of a live graph and of a replay: the run
// goes on afterwards as if nothing had happened.

#include "core/MonitorState.h"
#include "tests/secondary/ImageCommandsFixture.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

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

    void click(int index) { QTest::mouseClick(window->chkStart[index], Qt::LeftButton); }
    // Chooses what each command's chooser asks for, and runs it.
    void runCommand(QAction* item) {
        choose(item == window->mnuSave ? dir.file("graph.bmp") : dir.file("picture.bmp"));
        item->trigger();
    }
    std::vector<QAction*> commands() const {
        return {window->mnuSave, window->mnuLoad, window->mnuPrint, window->mnuViewClipBord};
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
        const std::int32_t position = state.lngDatPos;
        EXPECT_TRUE(QTest::qWaitFor([&] { return state.lngDatPos != position; }, 3000)) << "still plotting";
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
            ran = state.blnRun;
            runCommand(item);
        });
        click(1);
        EXPECT_TRUE(ran) << "chosen during the replay";
        EXPECT_EQ(lastMessage(), "");
        EXPECT_EQ(window->lblInfo->text().toStdString(), "200000行目を表示中... 200001行 表示完了");
    }
}

} // namespace
