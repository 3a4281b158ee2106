#pragma once
// The graph image commands of the main window: saving the graph as a picture
// file, loading a picture behind the graph, printing the graph and copying
// it to the clipboard. None of them touches a run: a live graph or a replay
// goes on afterwards. Each failure is shown in the program's general error
// form and changes nothing else.

#include "base/Result.h"
#include "widgets/Clipboard.h"
#include "widgets/FileChooser.h"
#include "widgets/ImagePrinting.h"

#include <functional>
#include <memory>
#include <string_view>

class QImage;
class QWidget;
class RasterSurface;
struct MonitorContext;

// The picture pairs of the two choosers.
inline constexpr char kImageSaveFilterText[] = "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)\0*.bmp\0PNGﾌｧｲﾙ(*.png)\0*.png\0";
inline constexpr std::string_view kImageSaveFilter(kImageSaveFilterText, sizeof kImageSaveFilterText - 1);
inline constexpr int kImageSavePngPair = 1;
inline constexpr char kImageLoadFilterText[] =
    "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)\0*.bmp\0JPEGﾌｧｲﾙ(*.jpg)\0*.jpg\0ｱｲｺﾝﾌｧｲﾙ(*.ico)\0*.ico\0"
    "画像ﾌｧｲﾙ(*.bmp;*.jpg;*.jpeg;*.ico;*.png;*.gif)\0*.bmp;*.jpg;*.jpeg;*.ico;*.png;*.gif\0";
inline constexpr std::string_view kImageLoadFilter(kImageLoadFilterText, sizeof kImageLoadFilterText - 1);

// Makes the printer to print on.
using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
// Puts a picture on the clipboard; an error when it is not taken.
using ClipboardFunction = std::function<Result<>(const QImage& picture)>;

// What the commands reach outside the monitor.
struct ImageCommandServices {
    QWidget* owner = nullptr; // the chooser's owner, the main window
    FileChooser chooseFile = ::chooseFile;
    PrinterFactory makePrinter = defaultPrinter;
    ClipboardFunction copyToClipboard = copyImageToClipboard;
};

class ImageCommands {
public:
    // Works on the chart, monitor and messages of `context` and on
    // `surface`, the chart's surface; both must outlive the commands.
    ImageCommands(MonitorContext& context, RasterSurface& surface, ImageCommandServices services);

    // "画像保存": chooses a file in the save style; unless cancelled, prints
    // the Max/Min note onto the graph and writes the graph to exactly that
    // name, as a bitmap, or as PNG when the PNG pair was selected. A failed
    // write leaves any file of that name as it was; the data file is never
    // written.
    void save();
    // "画像読込": chooses a picture file; unless cancelled, it becomes the
    // graph's background at once, behind what is drawn, and stays through
    // every redraw and clear until the background is removed.
    void load();
    // "画像印刷": prints the graph as it is on the default printer.
    void print();
    // "ｸﾞﾗﾌ画像をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ": prints the Max/Min note onto the graph and
    // puts the graph on the clipboard.
    void copyToClipboard();

private:
    void printExtremes();
    void report(const Error& error);

    MonitorContext& m_context;
    RasterSurface& m_surface;
    ImageCommandServices m_services;
};
