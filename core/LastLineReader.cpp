#include "core/LastLineReader.h"

#include "core/MonitorState.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

std::string missingFileMessage(const std::string& path) {
    std::string message = path;
    message += kCrLf;
    message += kFileMissingText;
    return message;
}

} // namespace

void LastLineReader::continueFrom(const std::string& strPath, const FileScan& scan) {
    m_path = strPath;
    m_scan = scan;
    m_counted = true;
}

bool LastLineReader::read(const std::string& strPath, std::string& strLine, std::int64_t& lngLineCount,
                          std::string& strMsg) {
    // A file that shrinks between counting and reading its last line is
    // counted again; a second change in a row is reported.
    std::string message;
    bool changed = false;
    if (readOnce(strPath, strLine, lngLineCount, message, changed))
        return true;
    if (changed && readOnce(strPath, strLine, lngLineCount, message, changed))
        return true;
    strMsg = std::move(message);
    return false;
}

bool LastLineReader::readOnce(const std::string& strPath, std::string& strLine, std::int64_t& lngLineCount,
                              std::string& strMsg, bool& retry) {
    retry = false;
    struct stat info {};
    if (strPath.empty()) {
        strMsg = missingFileMessage(strPath);
        return false;
    }
    if (::stat(strPath.c_str(), &info) != 0) {
        const int lookupError = errno;
        const bool missing = lookupError == ENOENT || lookupError == ENOTDIR || lookupError == ENAMETOOLONG ||
                             lookupError == ELOOP;
        strMsg = missing ? missingFileMessage(strPath) : fileErrorMessage(systemError(lookupError));
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        strMsg = missingFileMessage(strPath);
        return false;
    }

    CoreError error;
    auto fd = openReadOnly(strPath, error);
    if (!fd) {
        m_counted = false;
        strMsg = fileErrorMessage(error);
        return false;
    }
    if (!m_counted || m_path != strPath || !stillSameFile(fd->get(), m_scan)) {
        m_path = strPath;
        m_scan = FileScan{};
    }
    m_counted = false; // until this count is complete
    if (!continueScan(fd->get(), m_scan, error)) {
        strMsg = fileErrorMessage(error);
        return false;
    }
    m_counted = true;

    const LineTally& tally = m_scan.tally;
    if (tally.scanned == 0) {
        lngLineCount = 0;
        return true;
    }
    std::string line;
    const bool terminated = tally.lineEnds > 0;
    const std::uint64_t start = terminated ? tally.lastLineStart : 0;
    const std::uint64_t end = terminated ? tally.lastLineEnd : tally.scanned;
    if (!readRange(fd->get(), start, end - start, line, error)) {
        m_counted = false;
        retry = error.number == kErrFileChanged;
        strMsg = fileErrorMessage(error);
        return false;
    }
    line += kCrLf;
    strLine = std::move(line);
    lngLineCount = tally.lineEnds;
    return true;
}

bool ReadLastLine(MonitorState& state, const std::string& strPath, std::string& strLine,
                  std::int64_t& lngLineCount, std::string& strMsg) {
    state.blnReadReady = false;
    return state.lastLineReader.read(strPath, strLine, lngLineCount, strMsg);
}
