#include "secondary/ImageCommands.h"

#include "chart/Chart.h"
#include "io/FileLines.h"
#include "monitor/MonitorContext.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorView.h"
#include "surface/RasterSurface.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QPrinter>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Result<> copyImageToClipboard(const QImage& picture) {
    QClipboard* clipboard = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::clipboard()
                                : nullptr;
    if (clipboard != nullptr && !picture.isNull()) {
        clipboard->setImage(picture);
        // A clipboard that another program keeps to itself does not hold it now.
        const QMimeData* held = clipboard->mimeData();
        if (held != nullptr && held->hasImage())
            return {};
    }
    return Error{kErrClipboard, "The clipboard did not take the picture."};
}

Result<QImage> loadPictureFile(const std::string& path) {
    const auto fail = [&](int errnoValue) {
        Error error = systemError(errnoValue);
        error.message = path + ": " + error.message;
        return error;
    };
    // Opened here, so that a missing or unreadable file is told with the system's
    // reason; without waiting, as a named pipe would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return fail(errno);
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    const int statError = errno;
    if (!known || !S_ISREG(info.st_mode)) {
        ::close(fd);
        if (!known)
            return fail(statError);
        if (S_ISDIR(info.st_mode))
            return fail(EISDIR);
        return Error{kErrInvalidPicture, path + ": not a picture that can be loaded (not a file)."};
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(EIO);
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    QImage read = reader.read();
    if (read.isNull())
        return Error{kErrInvalidPicture, path + ": not a picture that can be loaded (" +
                                                 reader.errorString().toStdString() + ")."};
    return read;
}

ImageCommands::ImageCommands(MonitorContext& context, RasterSurface& surface, ImageCommandServices services)
    : m_context(context), m_surface(surface), m_services(std::move(services)) {}

void ImageCommands::save() {
    const FileChoice choice = m_services.chooseFile(m_services.owner, kImageSaveFilter, std::string(), true);
    if (choice.path.empty())
        return;
    m_context.chart.PrintMaxMin(m_context.state.highest);
    if (!m_context.state.dataFile.empty() && samePath(choice.path, m_context.state.dataFile)) {
        report(Error{kErrInvalidValue, "保存先がデータファイルと同じため保存しません: " + choice.path});
        return;
    }
    const ImageFormat format = choice.filterIndex == kImageSavePngPair ? ImageFormat::Png : ImageFormat::Bmp;
    if (auto saved = m_surface.saveImage(choice.path, format); !saved) {
        Error error = saved.error();
        error.message = choice.path + ": " + error.message;
        report(error);
    }
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
        report(Error{kErrPrinter, "There is no printer to print on."});
        return;
    }
    if (auto printed = printImage(*printer, m_surface.image(), m_surface.logicalDpi()); !printed)
        report(printed.error());
}

void ImageCommands::copyToClipboard() {
    m_context.chart.PrintMaxMin(m_context.state.highest);
    if (auto copied = m_services.copyToClipboard(m_surface.image()); !copied)
        report(copied.error());
}

void ImageCommands::report(const Error& error) {
    m_context.view.showPlainMessage(fileErrorMessage(error));
}
