#pragma once
// Saving an image as a file: a 24-bit Windows bitmap or a PNG.

#include "base/Result.h"
#include "chart/DrawingSurface.h"

#include <QImage>

#include <string>

// Encodes `image` in `format` and writes it as `path` (UTF-8), replacing any
// file of that name only once the whole file is written. An error when the
// image cannot be encoded or the file cannot be written.
Result<> saveImageFile(const QImage& image, const std::string& path, ImageFormat format);
