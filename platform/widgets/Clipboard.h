#pragma once
// The system clipboard, for pictures.

#include "base/Result.h"

class QImage;

// Puts `picture` on the system clipboard as an image; an error when the
// clipboard does not take it.
Result<> copyImageToClipboard(const QImage& picture);
