#pragma once
// What the fuzz targets share: how a target reports a broken rule, a plain
// model of the line-end rule to check the readers against, and a private
// folder for the targets that work on real files.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <time.h>
#include <unistd.h>
#include <vector>

// The models the targets check against are not what the fuzzer explores:
// they get no coverage hooks, which also keeps them fast on long inputs.
#define FUZZ_MODEL __attribute__((no_sanitize("coverage")))

namespace fuzzing {

// Bytes as a C-like literal, so that a report shows blanks, CR and NUL; a
// long text shows its start and its end.
inline std::string shown(std::string_view bytes) {
    if (bytes.size() > 400)
        return shown(bytes.substr(0, 240)) + " ... " + shown(bytes.substr(bytes.size() - 120)) + " (" +
               std::to_string(bytes.size()) + " bytes)";
    std::string text = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text + "\"";
}

[[noreturn]] inline void fail(const char* rule, const char* file, int line, const std::string& detail) {
    std::fprintf(stderr, "%s:%d: rule broken: %s\n  %s\n", file, line, rule, detail.c_str());
    std::abort();
}

// A terminated line [start, end) of a byte stream; `end` is where its line end begins.
struct Line {
    std::size_t start = 0;
    std::size_t end = 0;
};

struct LineSplit {
    std::vector<Line> lines;   // the terminated lines
    std::size_t tailStart = 0; // just past the last line end: the unterminated rest begins here
};

// The line-end rule read literally, one byte at a time: a CR ends a line, an
// LF ends one unless it follows a CR, whose line end it completes.
FUZZ_MODEL inline LineSplit splitAtLineEnds(std::string_view bytes) {
    LineSplit split;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool completesCrLf = bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
        if ((bytes[i] == '\r' || bytes[i] == '\n') && !completesCrLf)
            split.lines.push_back({split.tailStart, i});
        if (bytes[i] == '\r' || bytes[i] == '\n')
            split.tailStart = i + 1;
    }
    return split;
}

// The fuzzer's bytes read front to back as a script: small numbers and
// texts, each taken in turn, so that a reproducer can be written by hand.
// Past the end every read gives 0 or an empty text.
class Script {
public:
    Script(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool done() const { return m_pos >= m_size; }
    std::uint8_t byte() { return done() ? 0 : m_data[m_pos++]; }
    // A number below `bound` (at least 1) from two bytes, low byte first.
    std::uint32_t number(std::uint32_t bound) {
        const std::uint32_t low = byte();
        return (low | static_cast<std::uint32_t>(byte()) << 8) % bound;
    }
    // A length byte (two with `wide`, low byte first), then that many bytes.
    std::string_view text(bool wide = false) {
        const std::size_t length = wide ? number(65536) : byte();
        const std::size_t taken = std::min(length, m_size - std::min(m_pos, m_size));
        const std::string_view result(reinterpret_cast<const char*>(m_data) + m_pos, taken);
        m_pos += taken;
        return result;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// A folder of its own for one fuzzing process, removed when it exits normally.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trendola-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(std::string_view name) const { return (m_path / name).string(); }
    std::string path() const { return m_path.string(); }

private:
    std::filesystem::path m_path;
};

// Writes all of `bytes` at `offset`; a target cannot go on without it.
inline void writeAll(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            std::perror("pwrite");
            std::abort();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
}

// A data file the target changes, and what it holds after each change, for
// the models to read instead of the file. Each change is dated a second
// after the one before, long past: a writer's changes come at moments apart,
// which file times can tell, while a script's come within one tick of the
// coarse clock that dates files.
class DataFile {
public:
    explicit DataFile(std::string path) : m_path(std::move(path)) { ::unlink(m_path.c_str()); }

    const std::string& path() const { return m_path; }
    const std::string& content() const { return m_content; }
    bool exists() const { return m_exists; }

    void writeAt(std::size_t offset, std::string_view bytes) {
        const int fd = open(O_WRONLY | O_CREAT);
        writeAll(fd, bytes, static_cast<off_t>(offset));
        date(fd);
        ::close(fd);
        if (m_content.size() < offset + bytes.size())
            m_content.resize(offset + bytes.size());
        m_content.replace(offset, bytes.size(), bytes);
    }
    void truncate(std::size_t size) {
        const int fd = open(O_WRONLY | O_CREAT);
        if (::ftruncate(fd, static_cast<off_t>(size)) != 0)
            std::abort();
        date(fd);
        ::close(fd);
        m_content.resize(size);
    }
    void replace(std::string_view bytes) {
        const std::string other = m_path + ".new";
        const int fd = ::open(other.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        writeAll(fd, bytes, 0);
        date(fd);
        ::close(fd);
        if (::rename(other.c_str(), m_path.c_str()) != 0)
            std::abort();
        m_content = bytes;
        m_exists = true;
    }
    void remove() {
        ::unlink(m_path.c_str());
        m_content.clear();
        m_exists = false;
    }

private:
    void date(int fd) {
        const timespec times[2] = {{m_seconds, 0}, {m_seconds, 0}};
        ++m_seconds;
        if (::futimens(fd, times) != 0)
            std::abort();
    }
    int open(int flags) {
        const int fd = ::open(m_path.c_str(), flags | O_CLOEXEC, 0644);
        if (fd < 0) {
            std::perror("open");
            std::abort();
        }
        m_exists = true;
        return fd;
    }

    std::string m_path;
    std::string m_content;
    bool m_exists = false;
    time_t m_seconds = 1'000'000'000;
};

} // namespace fuzzing

// Stops the fuzzer with the rule that broke; `detail` is built only then.
#define FUZZ_EXPECT(condition, detail)                                                                       \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::fuzzing::fail(#condition, __FILE__, __LINE__, (detail));                                       \
    } while (false)
