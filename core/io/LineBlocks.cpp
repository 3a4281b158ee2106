#include "io/LineBlocks.h"

#include "text/ByteOrderMark.h"
#include "text/LineEndSearch.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Result<> LineBlocks::open(const std::string& path) {
    close();
    auto file = openFileForReading(path);
    if (!file)
        return file.error();
    ::posix_fadvise(file->fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    m_fd = std::move(file->fd);
    m_sizeAtOpen = static_cast<std::uint64_t>(file->info.st_size);
    m_regularFile = true;
    m_buffer.assign(m_bufferBytes + kLineEndSearchSlack, '\0');
    return {};
}

Result<> LineBlocks::openStream(UniqueFd fd) {
    close();
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return systemError(errno);
    if (S_ISDIR(info.st_mode))
        return systemError(EISDIR);
    m_regularFile = S_ISREG(info.st_mode);
    m_sizeAtOpen = m_regularFile ? static_cast<std::uint64_t>(info.st_size) : 0;
    m_fd = std::move(fd);
    m_buffer.assign(m_bufferBytes + kLineEndSearchSlack, '\0');
    return {};
}

void LineBlocks::close() {
    m_fd = UniqueFd();
    m_pos = m_end = m_searched = 0;
    m_offset = 0;
    m_sizeAtOpen = 0;
    m_skipLF = m_eof = m_failed = m_regularFile = false;
    m_error = Error{};
}

void LineBlocks::fail(Error error) {
    m_failed = true;
    m_error = std::move(error);
}

bool LineBlocks::readMore() {
    if (m_eof || m_failed || !m_fd)
        return false;
    // Once the buffer is full, the unconsumed part of a line moves to the
    // front; a line longer than the buffer makes it grow.
    const std::size_t capacity = m_buffer.size() - kLineEndSearchSlack;
    if (m_end == capacity) {
        if (m_pos == 0) {
            m_buffer.resize(2 * capacity + kLineEndSearchSlack);
        } else {
            std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_end - m_pos);
            m_searched = std::max(m_searched, m_pos) - m_pos;
            m_end -= m_pos;
            m_pos = 0;
        }
    }
    ssize_t got;
    do {
        got = ::read(m_fd.get(), m_buffer.data() + m_end, m_buffer.size() - kLineEndSearchSlack - m_end);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        fail(systemError(errno));
        return false;
    }
    if (got == 0) {
        // The end of the file, unless the file became shorter than what was
        // read: then the bytes held are no longer the file's, and a line cut
        // off there must not pass for a whole last line.
        struct stat info {};
        if (m_regularFile && ::fstat(m_fd.get(), &info) == 0 &&
            static_cast<std::uint64_t>(info.st_size) < m_offset) {
            fail(Error(kErrFileChanged, "読み込み中にファイルが短くなりました。"));
            return false;
        }
        m_eof = true;
        return false;
    }
    const bool first = m_offset == 0;
    m_offset += static_cast<std::uint64_t>(got);
    if (first) {
        const ByteOrderMark mark =
            byteOrderMarkOf(std::string_view(m_buffer.data() + m_end, static_cast<std::size_t>(got)));
        if (mark == ByteOrderMark::Utf8) {
            m_pos = m_end + kUtf8ByteOrderMark.size(); // no part of the first line
        } else if (mark != ByteOrderMark::None) {
            fail(unreadableEncoding(mark));
            return false;
        }
    }
    m_end += static_cast<std::size_t>(got);
    return true;
}

bool LineBlocks::next(std::string_view& block) {
    for (;;) {
        if (m_skipLF && m_pos < m_end) {
            m_skipLF = false;
            if (m_buffer[m_pos] == '\n')
                ++m_pos;
        }
        // The block runs to the last line end held; what was searched before
        // holds none.
        const char* const start = m_buffer.data() + m_pos;
        const char* const searched = m_buffer.data() + std::max(m_searched, m_pos);
        const char* last = m_buffer.data() + m_end;
        while (last > searched && last[-1] != '\n' && last[-1] != '\r')
            --last;
        m_searched = m_end;
        if (last > searched) {
            m_skipLF = last[-1] == '\r';
            block = std::string_view(start, static_cast<std::size_t>(last - start));
            m_pos = static_cast<std::size_t>(last - m_buffer.data());
            return true;
        }
        if (!readMore()) {
            if (m_failed || m_pos == m_end)
                return false;
            // The last line, without a line end.
            block = std::string_view(start, m_end - m_pos);
            m_pos = m_end;
            return true;
        }
    }
}
