#include "io/StreamTail.h"

#include "text/ByteOrderMark.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

Result<> StreamTail::pump() {
    char buffer[64 << 10];
    for (std::size_t taken = 0; !m_ended && taken < kMaxPumpBytes;) {
        pollfd waiting{m_fd, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, 0);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0 || (waiting.revents & (POLLIN | POLLHUP | POLLERR)) == 0)
            break; // nothing more now
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            return systemError(errno);
        }
        if (got == 0) {
            m_ended = true;
            break;
        }
        std::string_view bytes(buffer, static_cast<std::size_t>(got));
        if (m_received == 0) {
            const ByteOrderMark mark = byteOrderMarkOf(bytes);
            if (mark == ByteOrderMark::Utf16 || mark == ByteOrderMark::Utf32)
                return unreadableEncoding(mark);
            if (mark == ByteOrderMark::Utf8)
                bytes.remove_prefix(kUtf8ByteOrderMark.size());
        }
        m_received += static_cast<std::uint64_t>(got);
        taken += static_cast<std::size_t>(got);
        take(bytes);
    }
    return {};
}

void StreamTail::take(std::string_view bytes) {
    std::size_t i = 0;
    if (m_afterCR && !bytes.empty() && bytes.front() == '\n') {
        m_complete += '\n'; // the LF of a CR LF that arrived in two pieces
        i = 1;
    }
    m_afterCR = false;
    while (i < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", i);
        if (end == std::string_view::npos) {
            addToLine(bytes.substr(i));
            break;
        }
        addToLine(bytes.substr(i, end - i));
        std::size_t next = end + 1;
        if (bytes[end] == '\r') {
            if (next < bytes.size() && bytes[next] == '\n')
                ++next;
            else if (next == bytes.size())
                m_afterCR = true;
        }
        endLine(bytes.substr(end, next - end));
        i = next;
    }
    trim();
}

void StreamTail::addToLine(std::string_view bytes) {
    const std::size_t room = kMaxLastLineBytes - std::min<std::size_t>(m_line.size(), kMaxLastLineBytes);
    if (bytes.size() > room)
        m_lineCut = true;
    m_line.append(bytes.substr(0, room));
}

void StreamTail::endLine(std::string_view lineEnd) {
    m_newestStart = m_complete.size();
    m_newestLength = m_line.size();
    m_newestCut = m_lineCut;
    m_complete += m_line;
    m_complete += lineEnd;
    m_line.clear();
    m_lineCut = false;
    ++m_lineEnds;
}

void StreamTail::trim() {
    // Enough before the newest line for a search, cut at a line start; the
    // copy is made only once twice that has gathered.
    if (m_newestStart <= 2 * kMaxLineSearchBytes)
        return;
    const std::size_t from = m_complete.find_first_of("\r\n", m_newestStart - kMaxLineSearchBytes);
    std::size_t cut = from + 1;
    if (m_complete[from] == '\r' && cut < m_complete.size() && m_complete[cut] == '\n')
        ++cut;
    m_complete.erase(0, cut);
    m_keptStart += cut;
    m_newestStart -= cut;
}

Result<LastLine> StreamTail::newest() {
    // At the end the line being written is complete: the newest one.
    if (m_ended && (!m_line.empty() || m_lineCut)) {
        std::string line = m_line;
        if (!m_lineCut)
            line += kCrLf;
        return LastLine{std::move(line), m_lineEnds, m_keptStart + m_complete.size(), m_lineCut};
    }
    if (m_lineEnds == 0)
        return LastLine{};
    std::string line = m_complete.substr(m_newestStart, m_newestLength);
    if (!m_newestCut)
        line += kCrLf;
    return LastLine{std::move(line), m_lineEnds, m_keptStart + m_newestStart, m_newestCut};
}

bool StreamTail::searchBefore(const LastLine& from, const LineTest& accept) {
    if (from.start < m_keptStart || from.start - m_keptStart > m_complete.size())
        return false;
    const std::size_t before = static_cast<std::size_t>(from.start - m_keptStart);
    const std::size_t stretch = std::min<std::size_t>(before, kMaxLineSearchBytes);
    const std::size_t start = before - stretch;
    // A stretch that starts right after a line end starts with a whole line.
    const bool atLineStart = start == 0 || m_complete[start - 1] == '\n' ||
                             (m_complete[start - 1] == '\r' && m_complete[start] != '\n');
    return searchBlockBackward(std::string_view(m_complete).substr(start, stretch), atLineStart, accept);
}
