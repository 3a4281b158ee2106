#include "io/LastLineReader.h"

#include "text/ByteOrderMark.h"

#include <cerrno>
#include <functional>
#include <sys/stat.h>

namespace {

Error missingFile(const std::string& path) {
    return Error(kErrFileMissing, std::string(kFileMissingText), path);
}

} // namespace

void LastLineReader::continueFrom(const std::string& path, const FileScan& scan) {
    m_path = path;
    m_scan = scan;
    m_lastLine.reset();
    m_counted = true;
}

Result<LastLine> LastLineReader::read(const std::string& path) {
    // A file that shrinks between counting and reading its last line is
    // counted again; a second change in a row is reported.
    auto result = readOnce(path);
    if (!result && result.error().code == kErrFileChanged)
        result = readOnce(path);
    return result;
}

Result<LastLine> LastLineReader::readOnce(const std::string& path) {
    struct stat info {};
    if (path.empty())
        return missingFile(path);
    if (::stat(path.c_str(), &info) != 0) {
        const int lookupError = errno;
        const bool missing = lookupError == ENOENT || lookupError == ENOTDIR || lookupError == ENAMETOOLONG ||
                             lookupError == ELOOP;
        return missing ? missingFile(path) : systemError(lookupError);
    }
    if (!S_ISREG(info.st_mode))
        return missingFile(path);

    auto fd = openReadOnly(path);
    if (!fd) {
        m_counted = false;
        return fd.error();
    }
    // The last line read is checked only when the file grew: one that did not
    // grow is known unchanged or rewritten by its time already.
    const bool grown = static_cast<std::uint64_t>(info.st_size) > m_scan.tally.scanned;
    if (!m_counted || m_path != path || !stillSameFile(fd->get(), m_scan) ||
        (grown && !sameLastLine(fd->get()))) {
        m_path = path;
        m_scan = FileScan{};
        m_lastLine.reset();
    }
    m_counted = false; // until this count is complete
    if (auto scanned = continueScan(fd->get(), m_scan); !scanned)
        return scanned.error();
    m_counted = true;

    const LineTally& tally = m_scan.tally;
    if (tally.scanned == 0)
        return LastLine{};
    const ByteOrderMark mark = byteOrderMarkOf(m_scan.head);
    if (mark == ByteOrderMark::Utf16 || mark == ByteOrderMark::Utf32)
        return unreadableEncoding(mark);
    const bool terminated = tally.lineEnds > 0;
    const std::uint64_t start = terminated ? tally.lastLineStart : 0;
    const std::uint64_t end = terminated ? tally.lastLineEnd : tally.scanned;
    // A line longer than any record is read only as far as its first fields
    // can lie, so that a tick costs what was appended, not the line's length.
    const bool cut = end - start > kMaxLastLineBytes;
    auto line = readRange(fd->get(), start, cut ? kMaxLastLineBytes : end - start);
    if (!line || line->find_first_of("\r\n") != std::string::npos) {
        // Shorter than counted, or a line end where the count saw none: the
        // file changed while it was read.
        m_counted = false;
        return line ? Error(kErrFileChanged, "読み込み中にファイルが変わりました。") : line.error();
    }
    m_lastLine = LastLineSeen{start, line->size(), std::hash<std::string>{}(*line)};
    // The file's only line starts with the file: a UTF-8 mark is no part of it.
    if (start == 0 && mark == ByteOrderMark::Utf8)
        line->erase(0, kUtf8ByteOrderMark.size());
    if (!cut)
        *line += kCrLf;
    return LastLine{std::move(*line), tally.lineEnds, start, cut};
}

bool LastLineReader::sameLastLine(int fd) const {
    if (!m_lastLine)
        return true;
    const auto bytes = readRange(fd, m_lastLine->start, m_lastLine->length);
    return bytes && std::hash<std::string>{}(*bytes) == m_lastLine->hash;
}
