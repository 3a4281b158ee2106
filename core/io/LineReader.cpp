#include "io/LineReader.h"

#include "text/ByteOrderMark.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
constexpr std::size_t kBufferSize = 1 << 20;
constexpr std::size_t kBufferSlack = 16; // after the data, for searches a block at a time
constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
} // namespace

Result<> LineReader::open(const std::string& path) {
    close();
    auto file = openFileForReading(path);
    if (!file)
        return file.error();
    ::posix_fadvise(file->fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    m_fd = std::move(file->fd);
    m_sizeAtOpen = static_cast<std::uint64_t>(file->info.st_size);
    m_regularFile = true;
    m_buffer.assign(kBufferSize + kBufferSlack, '\0');
    return {};
}

Result<> LineReader::openStream(UniqueFd fd) {
    close();
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return systemError(errno);
    if (S_ISDIR(info.st_mode))
        return systemError(EISDIR);
    m_regularFile = S_ISREG(info.st_mode);
    m_sizeAtOpen = m_regularFile ? static_cast<std::uint64_t>(info.st_size) : 0;
    m_fd = std::move(fd);
    m_buffer.assign(kBufferSize + kBufferSlack, '\0');
    return {};
}

void LineReader::close() {
    m_fd = UniqueFd();
    m_pos = m_end = 0;
    m_offset = 0;
    m_sizeAtOpen = 0;
    m_nextCR = m_nextLF = kUnknown;
    m_skipLF = m_eof = m_failed = m_regularFile = false;
    m_error = Error{};
    m_partial.clear();
}

bool LineReader::refill() {
    if (m_eof || m_failed || !m_fd)
        return false;
    ssize_t got;
    do {
        got = ::read(m_fd.get(), m_buffer.data(), kBufferSize);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        m_failed = true;
        m_error = systemError(errno);
        return false;
    }
    if (got == 0) {
        // The end of the file, unless the file became shorter than what was
        // read: then the bytes held are no longer the file's, and a line cut
        // off there must not pass for a whole last line.
        struct stat info {};
        if (m_regularFile && ::fstat(m_fd.get(), &info) == 0 &&
            static_cast<std::uint64_t>(info.st_size) < m_offset) {
            m_failed = true;
            m_error = Error(kErrFileChanged, "読み込み中にファイルが短くなりました。");
            return false;
        }
        m_eof = true;
        return false;
    }
    m_pos = 0;
    m_end = static_cast<std::size_t>(got);
    const bool first = m_offset == 0;
    m_offset += m_end;
    m_nextCR = m_nextLF = kUnknown;
    if (first) {
        const ByteOrderMark mark = byteOrderMarkOf(std::string_view(m_buffer.data(), m_end));
        if (mark == ByteOrderMark::Utf8) {
            m_pos = kUtf8ByteOrderMark.size(); // no part of the first line
        } else if (mark != ByteOrderMark::None) {
            m_failed = true;
            m_error = unreadableEncoding(mark);
            return false;
        }
    }
    return true;
}

const char* LineReader::findLineEnd(std::size_t from) {
#if defined(__SSE2__)
    // Data lines are short, so one pass over 16 bytes at a time for both CR
    // and LF beats library searches that each pay a call per line. The
    // buffer has room to spare after its data, so the last block may run
    // past the data's end.
    const char* p = m_buffer.data() + from;
    const char* const end = m_buffer.data() + m_end;
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; p < end; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)));
        if (mask != 0)
            return std::min(p + __builtin_ctz(static_cast<unsigned>(mask)), end);
    }
    return end;
#else
    // Two memchr searches whose results are kept until passed: a file with
    // only LF line ends finds its CR search exhausted once per buffer.
    const char* base = m_buffer.data();
    if (m_nextCR == kUnknown || m_nextCR < from) {
        const void* cr = std::memchr(base + from, '\r', m_end - from);
        m_nextCR = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - base) : m_end;
    }
    if (m_nextLF == kUnknown || m_nextLF < from) {
        const void* lf = std::memchr(base + from, '\n', m_end - from);
        m_nextLF = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - base) : m_end;
    }
    return base + std::min(m_nextCR, m_nextLF);
#endif
}

bool LineReader::next(std::string_view& line) {
    std::string joined;
    bool joining = false;
    for (;;) {
        if (m_pos >= m_end && !refill()) {
            if (m_failed)
                return false;
            if (!joining)
                return false;
            m_partial = std::move(joined);
            line = m_partial;
            return true;
        }
        if (m_skipLF) {
            m_skipLF = false;
            if (m_buffer[m_pos] == '\n') {
                ++m_pos;
                continue;
            }
        }
        const char* lineEnd = findLineEnd(m_pos);
        const char* start = m_buffer.data() + m_pos;
        const std::size_t length = static_cast<std::size_t>(lineEnd - start);
        if (lineEnd == m_buffer.data() + m_end) {
            joined.append(start, length);
            joining = true;
            m_pos = m_end;
            continue;
        }
        std::size_t endLength = 1;
        if (*lineEnd == '\r') {
            if (lineEnd + 1 < m_buffer.data() + m_end)
                endLength = lineEnd[1] == '\n' ? 2 : 1;
            else
                m_skipLF = true;
        }
        m_pos += length + endLength;
        if (joining) {
            joined.append(start, length);
            m_partial = std::move(joined);
            line = m_partial;
        } else {
            line = std::string_view(start, length);
        }
        return true;
    }
}
