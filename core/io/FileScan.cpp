#include "io/FileScan.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kChunkSize = 1 << 20;
constexpr std::size_t kFingerprintSize = 64;

ssize_t preadFully(int fd, char* buffer, std::size_t size, std::uint64_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

std::int64_t modifiedNs(const struct stat& info) {
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

} // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.release();
    }
    return *this;
}

UniqueFd::~UniqueFd() {
    if (m_fd >= 0)
        ::close(m_fd);
}

int UniqueFd::release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

Result<UniqueFd> openReadOnly(const std::string& path) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return systemError(errno);
    return UniqueFd(fd);
}

Result<OpenFile> openFileForReading(const std::string& path) {
    auto fd = openReadOnly(path);
    if (!fd)
        return fd.error();
    OpenFile file{std::move(*fd), {}};
    if (::fstat(file.fd.get(), &file.info) != 0)
        return systemError(errno);
    if (S_ISDIR(file.info.st_mode))
        return systemError(EISDIR);
    return file;
}

Result<> continueScan(int fd, FileScan& scan, const ScanProgress& progress) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return systemError(errno);
    scan.device = info.st_dev;
    scan.inode = info.st_ino;
    const auto total = static_cast<std::uint64_t>(info.st_size);
    if (scan.tally.scanned == 0)
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    std::vector<char> buffer(std::min<std::uint64_t>(kChunkSize, std::max<std::uint64_t>(total, 4096)));
    for (;;) {
        const ssize_t got = preadFully(fd, buffer.data(), buffer.size(), scan.tally.scanned);
        if (got < 0)
            return systemError(errno);
        if (got == 0)
            break;
        const auto size = static_cast<std::size_t>(got);
        if (scan.head.size() < kFingerprintSize && scan.tally.scanned == scan.head.size())
            scan.head.append(buffer.data(), std::min(size, kFingerprintSize - scan.head.size()));
        tallyChunk(scan.tally, buffer.data(), size);
        // Keep the last bytes counted, across chunk boundaries.
        scan.tail.append(buffer.data() + (size > kFingerprintSize ? size - kFingerprintSize : 0),
                         std::min(size, kFingerprintSize));
        if (scan.tail.size() > kFingerprintSize)
            scan.tail.erase(0, scan.tail.size() - kFingerprintSize);
        if (progress)
            progress(scan.tally.scanned, total);
        if (size < buffer.size())
            break;
    }
    // File times come from a coarse clock: a write in the same tick of it as
    // the last one would leave the time unchanged, so a time that is still
    // the clock's current one tells nothing yet.
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    const std::int64_t nowNs = static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
    if (::fstat(fd, &info) == 0 && static_cast<std::uint64_t>(info.st_size) == scan.tally.scanned &&
        modifiedNs(info) < nowNs) {
        scan.sizeAtEnd = info.st_size;
        scan.modifiedAtEndNs = modifiedNs(info);
    } else {
        scan.sizeAtEnd = -1; // grown while counted, or just written: nothing to tell rewrites by
    }
    return {};
}

bool stillSameFile(int fd, const FileScan& scan) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || info.st_dev != scan.device || info.st_ino != scan.inode ||
        static_cast<std::uint64_t>(info.st_size) < scan.tally.scanned)
        return false;
    if (info.st_size == scan.sizeAtEnd) {
        // Not grown: untouched, or rewritten in place.
        return modifiedNs(info) == scan.modifiedAtEndNs;
    }
    const auto head = readRange(fd, 0, scan.head.size());
    if (!head || *head != scan.head)
        return false;
    const auto tail = readRange(fd, scan.tally.scanned - scan.tail.size(), scan.tail.size());
    return tail && *tail == scan.tail;
}

Result<std::string> readRange(int fd, std::uint64_t offset, std::uint64_t size) {
    std::string out;
    try {
        out.resize(size);
    } catch (const std::bad_alloc&) {
        return Error(kErrOutOfMemory, "メモリが足りません。");
    }
    const ssize_t got = preadFully(fd, out.data(), out.size(), offset);
    if (got < 0)
        return systemError(errno);
    if (static_cast<std::uint64_t>(got) != size)
        return Error(kErrFileChanged, "読み込み中にファイルが短くなりました。");
    return out;
}
