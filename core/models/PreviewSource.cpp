#include "models/PreviewSource.h"

#include "io/FileScan.h"
#include "monitor/SampleRing.h"
#include "text/ByteOrderMark.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void appendSlots(const SampleRing& samples, std::int64_t from, std::int64_t to, std::string& text) {
    const auto slots = static_cast<std::int64_t>(samples.size());
    for (std::int64_t slot = std::max<std::int64_t>(from, 0); slot < std::min(to, slots); ++slot) {
        text += decimalText(samples.at(static_cast<std::size_t>(slot)).value);
        text += kCrLf;
    }
}

// Up to `size` bytes from the start; fewer when the file ends first.
Result<std::string> readHead(int fd, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, size - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

} // namespace

std::string bufferedValuesText(const SampleRing& samples) {
    std::string text;
    const std::int64_t newest = samples.newestSlot();
    if (samples.wrapped())
        appendSlots(samples, newest + 1, samples.pointsPerView(), text);
    appendSlots(samples, 0, newest + 1, text);
    return text;
}

Result<std::string> readPreviewBytes(const std::string& path, std::int32_t byteCount) {
    try {
        auto file = openFileForReading(path);
        if (!file)
            return file.error();
        const struct stat& info = file->info;
        if (!S_ISREG(info.st_mode))
            return systemError(EINVAL);
        if (byteCount == 0) {
            if (info.st_size > std::numeric_limits<std::int32_t>::max())
                return Error(kErrOverflow,
                             "ファイルが大きすぎてプレビューできません (2147483647 バイトまで)。");
            byteCount = static_cast<std::int32_t>(info.st_size);
        }
        if (byteCount <= 0)
            return std::string();
        const auto wanted = std::min<std::int64_t>(byteCount, info.st_size);
        auto bytes = readHead(file->fd.get(), static_cast<std::size_t>(wanted));
        if (!bytes)
            return bytes;
        // A UTF-8 mark is no part of the text; the text ends at the first NUL
        // byte, as the text box would end it.
        if (byteOrderMarkOf(*bytes) == ByteOrderMark::Utf8)
            bytes->erase(0, kUtf8ByteOrderMark.size());
        if (const std::size_t nul = bytes->find('\0'); nul != std::string::npos)
            bytes->resize(nul);
        return bytes;
    } catch (const std::bad_alloc&) {
        return Error(kErrOutOfMemory, "メモリが足りません。");
    }
}
