#include "io/LineReader.h"

#include "text/LineEndSearch.h"

Result<> LineReader::open(const std::string& path) {
    close();
    return m_blocks.open(path);
}

Result<> LineReader::openStream(UniqueFd fd) {
    close();
    return m_blocks.openStream(std::move(fd));
}

void LineReader::close() {
    m_blocks.close();
    m_pos = m_end = nullptr;
}

bool LineReader::next(std::string_view& line) {
    if (m_pos == m_end) {
        std::string_view block;
        if (!m_blocks.next(block))
            return false;
        m_pos = block.data();
        m_end = block.data() + block.size();
    }
    const char* const lineEnd = findLineEnd(m_pos, m_end);
    line = std::string_view(m_pos, static_cast<std::size_t>(lineEnd - m_pos));
    m_pos = pastLineEnd(lineEnd, m_end);
    return true;
}
