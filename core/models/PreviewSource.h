#pragma once
// What the preview window shows, taken without any window: the buffered
// samples as text, and the first bytes of a file.

#include "base/Result.h"

#include <cstdint>
#include <string>

class SampleRing;

// The samples held for the graph, oldest first, each in its decimal text and
// ended by CR LF. Wrapped: slots newest + 1 .. pointsPerView - 1, then
// 0 .. newest; not wrapped: 0 .. newest, nothing when the ring is empty.
// Slots beyond the ring are never read.
std::string bufferedValuesText(const SampleRing& samples);

// The bytes a preview of `path` shows: the first `byteCount` bytes, or the
// whole file when it is shorter or `byteCount` is 0; nothing for a negative
// count. A UTF-8 byte-order mark is left out, and the bytes end before the
// first NUL byte. An error when the file
// cannot be opened or read, is not a regular file, is too large for a
// 32-bit size, or memory runs out.
Result<std::string> readPreviewBytes(const std::string& path, std::int32_t byteCount);
