#pragma once
// Whether the program that writes the data file has stopped: the file is
// stale once its size and its last bytes (which hold its last line) have not
// changed for the stale time. A touch that changes only its time stamp is no
// change.

#include "monitor/ThresholdAlarm.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

using SteadyTime = std::chrono::steady_clock::time_point;
using WallTime = std::chrono::system_clock::time_point;

// What is compared of the data file from one look to the next.
struct FileSignature {
    bool present = false; // a regular file that could be opened
    std::int64_t size = 0;
    std::size_t tailHash = 0; // of its last bytes, up to kSignatureTailBytes
    // Its modification time: only where watching starts, as its last change.
    std::optional<WallTime> modified;

    bool sameContent(const FileSignature& other) const {
        return present == other.present && size == other.size && tailHash == other.tailHash;
    }
};

inline constexpr std::int64_t kSignatureTailBytes = 4096;

// Looks at the file without waiting (a named pipe is no data file): one stat
// and one read of its last bytes. A file that is missing or cannot be read
// is not present.
FileSignature dataFileSignature(const std::string& path);

// The window's stale time: three poll intervals, and at least 10 s.
std::chrono::milliseconds windowStaleTime(int pollInterval);

// " (更新なし N秒)", N the whole seconds the file has been unchanged.
std::string staleStatusNote(std::chrono::milliseconds unchanged);

class StalenessWatch {
public:
    explicit StalenessWatch(std::chrono::milliseconds staleAfter) : m_staleAfter(staleAfter) {}

    // One look at the file at `now` (and the same moment on the wall clock).
    // The first look takes the file's modification time as its last change,
    // so a file left alone long before is stale at once. Stale or Fresh when
    // the state changed.
    std::optional<WatchEvent> observe(const FileSignature& file, SteadyTime now, WallTime wallNow);

    bool stale() const { return m_stale; }
    // How long the file has been unchanged at `now`; zero before the first look.
    std::chrono::milliseconds unchangedFor(SteadyTime now) const;
    // When the file last changed, as far as is known.
    std::optional<WallTime> lastChange() const { return m_lastChange; }
    std::chrono::milliseconds staleAfter() const { return m_staleAfter; }

    // Forgets the file: the next look is a first one.
    void reset();

private:
    std::chrono::milliseconds m_staleAfter;
    std::optional<FileSignature> m_seen;
    SteadyTime m_unchangedSince{};
    std::optional<WallTime> m_lastChange;
    bool m_stale = false;
};
