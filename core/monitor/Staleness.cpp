#include "monitor/Staleness.h"

#include "io/FileScan.h"

#include <algorithm>
#include <functional>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileSignature dataFileSignature(const std::string& path) {
    FileSignature signature;
    // Not blocking: opening a named pipe would wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return signature;
    const UniqueFd file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return signature;
    const std::int64_t size = info.st_size;
    const std::int64_t tail = std::min(size, kSignatureTailBytes);
    const auto bytes =
        readRange(fd, static_cast<std::uint64_t>(size - tail), static_cast<std::uint64_t>(tail));
    if (!bytes)
        return signature; // shrunk while looked at: the next look sees it settled
    signature.present = true;
    signature.size = size;
    signature.tailHash = std::hash<std::string>{}(*bytes);
    signature.modified = WallTime(std::chrono::duration_cast<WallTime::duration>(
        std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec)));
    return signature;
}

std::chrono::milliseconds windowStaleTime(int pollInterval) {
    return std::max(std::chrono::milliseconds(3 * static_cast<std::int64_t>(pollInterval)),
                    std::chrono::milliseconds(10'000));
}

std::string staleStatusNote(std::chrono::milliseconds unchanged) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(unchanged).count();
    return " (更新なし " + std::to_string(seconds) + "秒)";
}

std::optional<WatchEvent> StalenessWatch::observe(const FileSignature& file, SteadyTime now,
                                                  WallTime wallNow) {
    if (!m_seen) {
        m_seen = file;
        m_unchangedSince = now;
        m_lastChange.reset();
        // A time stamp in the future tells nothing of the last change.
        if (file.present && file.modified && *file.modified <= wallNow) {
            m_lastChange = file.modified;
            m_unchangedSince =
                now - std::chrono::duration_cast<SteadyTime::duration>(wallNow - *file.modified);
        }
    } else if (!file.sameContent(*m_seen)) {
        m_seen = file;
        m_unchangedSince = now;
        m_lastChange = wallNow;
        if (m_stale) {
            m_stale = false;
            return WatchEvent::Fresh;
        }
        return std::nullopt;
    }
    if (!m_stale && unchangedFor(now) >= m_staleAfter) {
        m_stale = true;
        return WatchEvent::Stale;
    }
    return std::nullopt;
}

std::chrono::milliseconds StalenessWatch::unchangedFor(SteadyTime now) const {
    if (!m_seen)
        return std::chrono::milliseconds(0);
    return std::max(std::chrono::duration_cast<std::chrono::milliseconds>(now - m_unchangedSince),
                    std::chrono::milliseconds(0));
}

void StalenessWatch::reset() {
    m_seen.reset();
    m_lastChange.reset();
    m_stale = false;
}
