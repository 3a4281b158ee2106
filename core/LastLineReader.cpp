#include "core/LastLineReader.h"

#include "core/MonitorState.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

CoreError missingFile(const std::string& path) {
    std::string message = path;
    message += kCrLf;
    message += kFileMissingText;
    return CoreError{kErrFileMissing, std::move(message)};
}

} // namespace

void LastLineReader::continueFrom(const std::string& strPath, const FileScan& scan) {
    m_path = strPath;
    m_scan = scan;
    m_counted = true;
}

Result<LastLine> LastLineReader::read(const std::string& strPath) {
    // A file that shrinks between counting and reading its last line is
    // counted again; a second change in a row is reported.
    auto result = readOnce(strPath);
    if (!result && result.error().number == kErrFileChanged)
        result = readOnce(strPath);
    return result;
}

Result<LastLine> LastLineReader::readOnce(const std::string& strPath) {
    struct stat info {};
    if (strPath.empty())
        return missingFile(strPath);
    if (::stat(strPath.c_str(), &info) != 0) {
        const int lookupError = errno;
        const bool missing = lookupError == ENOENT || lookupError == ENOTDIR || lookupError == ENAMETOOLONG ||
                             lookupError == ELOOP;
        return missing ? missingFile(strPath) : systemError(lookupError);
    }
    if (!S_ISREG(info.st_mode))
        return missingFile(strPath);

    auto fd = openReadOnly(strPath);
    if (!fd) {
        m_counted = false;
        return fd.error();
    }
    if (!m_counted || m_path != strPath || !stillSameFile(fd->get(), m_scan)) {
        m_path = strPath;
        m_scan = FileScan{};
    }
    m_counted = false; // until this count is complete
    if (auto scanned = continueScan(fd->get(), m_scan); !scanned)
        return scanned.error();
    m_counted = true;

    const LineTally& tally = m_scan.tally;
    if (tally.scanned == 0)
        return LastLine{};
    const bool terminated = tally.lineEnds > 0;
    const std::uint64_t start = terminated ? tally.lastLineStart : 0;
    const std::uint64_t end = terminated ? tally.lastLineEnd : tally.scanned;
    auto line = readRange(fd->get(), start, end - start);
    if (!line) {
        m_counted = false;
        return line.error();
    }
    *line += kCrLf;
    return LastLine{std::move(*line), tally.lineEnds};
}

Result<LastLine> ReadLastLine(MonitorState& state, const std::string& strPath) {
    state.blnReadReady = false;
    return state.lastLineReader.read(strPath);
}
