#include "surface/ImageFile.h"

#include "io/AtomicFileWrite.h"

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

Result<> saveImageFile(const QImage& image, const std::string& path, ImageFormat format) {
    if (format == ImageFormat::Svg)
        return Error{kErrInvalidValue, "A raster image cannot be saved as SVG."};
    const char* formatName = format == ImageFormat::Bmp ? "bmp" : "png";
    if (image.isNull())
        return Error{kErrInvalidValue, "There is no image to save."};

    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, formatName);
    if (!writer.write(format == ImageFormat::Bmp ? bitmapReady(image) : image))
        return Error{kErrInvalidValue, "The image could not be encoded as " +
                                               QByteArray(formatName).toUpper().toStdString() + ": " +
                                               writer.errorString().toStdString()};
    return writeFileAtomically(path, std::string_view(encoded.constData(), encoded.size()));
}
