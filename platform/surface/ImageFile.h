#pragma once
// Picture files: saving an image as a 24-bit Windows bitmap or a PNG, and
// reading any picture Qt reads.

#include "base/Result.h"
#include "chart/DrawingSurface.h"

#include <QImage>

#include <string>

// Encodes `image` in `format` and writes it as `path` (UTF-8), replacing any
// file of that name only once the whole file is written. An error when the
// image cannot be encoded or the file cannot be written.
Result<> saveImageFile(const QImage& image, const std::string& path, ImageFormat format);

// The bytes saveImageFile writes.
Result<std::string> encodeImageFile(const QImage& image, ImageFormat format);

// Reads the picture file `path` (a bitmap, JPEG, icon or any other picture
// Qt reads, recognised by its content), without waiting on a named pipe. An
// error naming the file when it cannot be read or is not such a picture.
Result<QImage> loadPictureFile(const std::string& path);
