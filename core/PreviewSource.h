#pragma once
// What the preview window shows, taken without any window: the buffered
// samples as text, and the first bytes of a file.

#include "core/CoreError.h"

#include <cstdint>
#include <string>

struct MonitorState;

// The samples held for the graph, oldest first, each in its decimal text and
// ended by CR LF. Wrapped: slots lngDatPos + 1 .. lngXmem - 1, then
// 0 .. lngDatPos; not wrapped: 0 .. lngDatPos, nothing when lngDatPos is -1.
// Slots beyond the buffer are never read.
std::string bufferedValuesText(const MonitorState& state);

// The bytes a preview of `path` shows. `lngSize` 0 asks for the whole file
// and is replaced by the file's length; otherwise the first `lngSize` bytes
// are read, or the whole file when it is shorter, and a negative size reads
// nothing. The bytes end before the first NUL byte. An error when the file
// cannot be opened or read, is not a regular file, is too large for a 32-bit
// size, or memory runs out.
Result<std::string> readPreviewBytes(const std::string& path, std::int32_t& lngSize);
