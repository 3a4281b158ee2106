#include "core/PreviewSource.h"

#include "core/FileScan.h"
#include "core/MonitorState.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void appendSlots(const MonitorState& state, std::int64_t from, std::int64_t to, std::string& text) {
    const auto slots = static_cast<std::int64_t>(state.DatBuf.size());
    for (std::int64_t slot = std::max<std::int64_t>(from, 0); slot < std::min(to, slots); ++slot) {
        text += decimalText(state.DatBuf[static_cast<std::size_t>(slot)].DVal);
        text += kCrLf;
    }
}

// Reads up to `size` bytes from the start; fewer when the file ends first.
bool readHead(int fd, std::size_t size, std::string& bytes, CoreError& error) {
    bytes.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, size - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = systemError(errno);
            bytes.clear();
            return false;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return true;
}

} // namespace

std::string bufferedValuesText(const MonitorState& state) {
    std::string text;
    const std::int64_t newest = state.lngDatPos;
    if (state.blnDatRound) {
        appendSlots(state, newest + 1, state.lngXmem, text);
        appendSlots(state, 0, newest + 1, text);
    } else {
        appendSlots(state, 0, newest + 1, text);
    }
    return text;
}

bool readPreviewBytes(const std::string& path, std::int32_t& lngSize, std::string& bytes, CoreError& error) {
    bytes.clear();
    try {
        auto fd = openReadOnly(path, error);
        if (!fd)
            return false;
        struct stat info {};
        if (::fstat(fd->get(), &info) != 0) {
            error = systemError(errno);
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            error = systemError(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
            return false;
        }
        if (lngSize == 0) {
            if (info.st_size > std::numeric_limits<std::int32_t>::max()) {
                error = CoreError{kErrOverflow,
                                  "ファイルが大きすぎてプレビューできません (2147483647 バイトまで)。"};
                return false;
            }
            lngSize = static_cast<std::int32_t>(info.st_size);
        }
        if (lngSize <= 0)
            return true;
        const auto wanted = std::min<std::int64_t>(lngSize, info.st_size);
        if (!readHead(fd->get(), static_cast<std::size_t>(wanted), bytes, error))
            return false;
        // The text ends at the first NUL byte, as the text box would end it.
        if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos)
            bytes.resize(nul);
        return true;
    } catch (const std::bad_alloc&) {
        bytes.clear();
        bytes.shrink_to_fit();
        error = CoreError{kErrOutOfMemory, "Out of memory"};
        return false;
    }
}
