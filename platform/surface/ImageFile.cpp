#include "surface/ImageFile.h"

#include "io/AtomicFileWrite.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>

#include <string_view>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Bitmaps are read by every picture program as 24 bits per pixel, with no
// alpha channel to be misread as transparency.
QImage bitmapReady(const QImage& image) {
    if (image.format() == QImage::Format_RGB888)
        return image;
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

Result<std::string> encodeImageFile(const QImage& image, ImageFormat format) {
    if (format == ImageFormat::Svg)
        return Error(kErrInvalidValue, "ラスター画像は SVG で保存できません。");
    const char* formatName = format == ImageFormat::Bmp ? "bmp" : "png";
    if (image.isNull())
        return Error(kErrInvalidValue, "保存する画像がありません。");

    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, formatName);
    if (!writer.write(format == ImageFormat::Bmp ? bitmapReady(image) : image))
        return Error(kErrInvalidValue, "画像を " + QByteArray(formatName).toUpper().toStdString() +
                                           " にできませんでした: " + writer.errorString().toStdString());
    return std::string(encoded.constData(), static_cast<std::size_t>(encoded.size()));
}

Result<> saveImageFile(const QImage& image, const std::string& path, ImageFormat format) {
    const auto encoded = encodeImageFile(image, format);
    if (!encoded)
        return encoded.error();
    return writeFileAtomically(path, *encoded);
}

Result<QImage> loadPictureFile(const std::string& path) {
    const auto fail = [&](int errnoValue) { return aboutFile(systemError(errnoValue), path); };
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
        return Error(kErrInvalidPicture, path + ": 読み込める画像ではありません (ファイルではありません)。",
                     path);
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
        return Error(kErrInvalidPicture,
                     path + ": 読み込める画像ではありません (" + reader.errorString().toStdString() + ")。",
                     path);
    return read;
}
