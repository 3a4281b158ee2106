#pragma once
// Writing a whole file so that a failure never leaves a partial one behind.

#include "base/Result.h"

#include <string>
#include <string_view>

// Writes `bytes` as the file `path`, replacing any file of that name. The
// bytes go to a temporary file in the same folder, which is renamed over the
// target once complete, so the target is either the old file or the whole new
// one. A file that is replaced keeps its permissions; a symbolic link is
// written through to its target (created when missing) and never replaced.
// A target the user may not write (a read-only file, a folder) is refused, as
// is anything but a regular file (a named pipe, a device, a socket), without
// waiting on it: kErrNotRegularFile names the file. Other errors carry errno
// and its system text; no temporary file is left.
Result<> writeFileAtomically(const std::string& path, std::string_view bytes);

// For the handler of a signal that ends the process: removes the temporary
// file of every write in progress, so that no partial file is left behind.
// Async-signal-safe. A write it interrupts can no longer succeed.
void removeTemporaryFilesInProgress() noexcept;
