#include "secondary/ImageCommands.h"

#include "chart/Chart.h"
#include "io/FileLines.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "surface/ImageFile.h"
#include "surface/RasterSurface.h"

#include <QImage>
#include <QPrinter>

ImageCommands::ImageCommands(MonitorContext& context, RasterSurface& surface, ImageCommandServices services)
    : m_context(context), m_surface(surface), m_services(std::move(services)) {}

void ImageCommands::printExtremes() {
    // The note of a saved or copied picture sits on a scale up to the highest value.
    const Monitor& monitor = m_context.monitor;
    m_context.chart.printExtremes(monitor.extremesNote(monitor.scale().highest()));
}

void ImageCommands::save() {
    const FileChoice choice = m_services.chooseFile(m_services.owner, kImageSaveFilter, std::string(), true);
    if (choice.path.empty())
        return;
    printExtremes();
    const std::string& dataFile = m_context.monitor.settings().dataFile;
    if (!dataFile.empty() && samePath(choice.path, dataFile)) {
        report(Error(kErrInvalidValue, "保存先がデータファイルと同じため保存しません: " + choice.path,
                     choice.path));
        return;
    }
    const ImageFormat format = choice.filterIndex == kImageSavePngPair ? ImageFormat::Png : ImageFormat::Bmp;
    if (auto saved = m_surface.saveImage(choice.path, format); !saved)
        report(aboutFile(saved.error(), choice.path));
}

void ImageCommands::load() {
    const FileChoice choice = m_services.chooseFile(m_services.owner, kImageLoadFilter, std::string(), false);
    if (choice.path.empty())
        return;
    const auto picture = loadPictureFile(choice.path);
    if (!picture) {
        report(picture.error());
        return;
    }
    // A redraw still waiting belongs to the picture the new background goes under.
    m_context.chart.flush();
    m_surface.replaceBackgroundPicture(*picture);
}

void ImageCommands::print() {
    m_context.chart.flush();
    const std::unique_ptr<QPrinter> printer = m_services.makePrinter();
    if (!printer) {
        report(Error(kErrPrinter, "印刷するプリンタがありません。"));
        return;
    }
    if (auto printed = printImage(*printer, m_surface.image(), m_surface.logicalDpi()); !printed)
        report(printed.error());
}

void ImageCommands::copyToClipboard() {
    printExtremes();
    if (auto copied = m_services.copyToClipboard(m_surface.image()); !copied)
        report(copied.error());
}

void ImageCommands::report(const Error& error) {
    m_context.view.showPlainMessage(fileErrorMessage(error));
}
