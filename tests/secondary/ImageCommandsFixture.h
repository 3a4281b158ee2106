#pragma once
// The image commands on a monitor of their own: a raster surface the size of
// the design's graph, a recording main window and stand-ins for the file
// chooser, the printer and the clipboard.

#include "chart/Chart.h"
#include "monitor/EventPump.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "secondary/ImageCommands.h"
#include "support/FakeMonitorView.h"
#include "support/TempDir.h"
#include "surface/RasterSurface.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QPrinter>
#include <QRect>

#include <string>
#include <vector>

class ImageCommandsTest : public testing::Test {
protected:
    ImageCommandsTest();

    // Applies the default settings for `dataFile`, as the settings dialog would.
    void applySettingsFor(const std::string& dataFile);
    // Draws a zigzag series of 10 and 90 on a 0..100 scale with Max 90, Min 10.
    void drawGraph();
    // Answers the next chooser with `path` and the filter pair `pair`.
    void choose(const std::string& path, int pair = 0) { answer = FileChoice{path, pair}; }
    const QImage& shown() const { return surface.image(); }
    // Pixels of the graph's Max/Min text (the only white on the graph).
    int textPixels() const;
    // The last message shown, empty when there was none.
    std::string lastMessage() const { return view.messages.empty() ? std::string() : view.messages.back(); }

    struct ChooserCall {
        std::string filter;
        bool save;
    };
    std::vector<ChooserCall> chooserCalls;
    FileChoice answer;
    PrinterFactory printer = [] { return std::unique_ptr<QPrinter>(); };
    ClipboardFunction clipboard = copyImageToClipboard;

    TempDir dir;
    Monitor monitor;
    FakeMonitorView view;
    RasterSurface surface{642, 136};
    Chart chart{surface, view};
    EventPump pump{view, 0};
    Utf8Decoder decoder;
    MonitorContext context{monitor, view, chart, pump, decoder};
    ImageCommands images;
};

// Pixels within `area` of `image` no further than `tolerance` from `colour`
// in each channel.
int pixelsNear(const QImage& image, const QRect& area, const QColor& colour, int tolerance = 0);
