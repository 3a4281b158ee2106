#pragma once
// The main window with its monitor and the image commands wired to its
// menus; the file chooser, the printer and the clipboard can be replaced.

#include "chart/Chart.h"
#include "text/TextDecoder.h"
#include "mainwin/MonitorSession.h"
#include "widgets/SurfaceView.h"
#include "secondary/ImageCommands.h"
#include "tests/mainwin/MainWindowFixture.h"
#include "support/TempDir.h"

#include <QColor>
#include <QPrinter>
#include <QRect>

#include <string>
#include <vector>

class ImageCommandsTest : public MainWindowTest {
protected:
    ImageCommandsTest();
    ~ImageCommandsTest() override;

    // Draws a zigzag series of 0..100 on a 0..100 scale with Max 90, Min 10.
    void drawGraph();
    // Answers the next chooser with `path` and the filter pair `pair`.
    void choose(const std::string& path, int pair = 0) { answer = FileChoice{path, pair}; }
    const QImage& shown() { return *window->graphView->image(); }
    // Pixels of the graph's Max/Min text (the only white on the graph).
    int textPixels();
    // The last message shown, empty when there was none.
    std::string lastMessage() const { return boxes.shown.empty() ? std::string() : boxes.shown.back().text; }

    struct ChooserCall {
        std::string filter;
        bool save;
    };
    std::vector<ChooserCall> chooserCalls;
    FileChoice answer;
    PrinterFactory printer = [] { return std::unique_ptr<QPrinter>(); };
    ClipboardFunction clipboard = copyImageToClipboard;

    TempDir dir;
    MonitorSession session;
    ImageCommands images;
};

// Pixels within `area` of `image` no further than `tolerance` from `colour`
// in each channel.
int pixelsNear(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 0);
