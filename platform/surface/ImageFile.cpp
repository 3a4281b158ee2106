#include "platform/surface/ImageFile.h"

#include "platform/surface/AtomicFileWrite.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include <string_view>

namespace {

// Bitmaps are read by every picture program as 24 bits per pixel, with no
// alpha channel to be misread as transparency.
QImage bitmapReady(const QImage& image) {
    if (image.format() == QImage::Format_RGB888)
        return image;
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

bool saveImageFile(const QImage& image, const std::string& path, ImageFormat format, CoreError& error) {
    const char* formatName = format == ImageFormat::Bmp ? "bmp" : "png";
    if (image.isNull()) {
        error = CoreError{kErrInvalidValue, "There is no image to save."};
        return false;
    }

    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, formatName);
    if (!writer.write(format == ImageFormat::Bmp ? bitmapReady(image) : image)) {
        error = CoreError{kErrInvalidValue, "The image could not be encoded as " +
                                                QByteArray(formatName).toUpper().toStdString() + ": " +
                                                writer.errorString().toStdString()};
        return false;
    }
    return writeFileAtomically(path, std::string_view(encoded.constData(), encoded.size()), error);
}
