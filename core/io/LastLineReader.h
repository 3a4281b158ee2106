#pragma once
// The last complete line of a data file that another program keeps writing.
//
// The file is opened read-only and never copied. The count of its line ends
// is kept from one call to the next, so a call costs what was appended since
// the last one, not the file's size. A file that shrank, or was replaced by
// another (another device or inode, or its counted part changed), is counted
// afresh.

#include "io/FileScan.h"

#include <cstdint>
#include <optional>
#include <string>

inline constexpr std::string_view kFileMissingText = "ファイルが存在しませんでした。";

// The most of a last line that is read: no data record is longer.
inline constexpr std::uint64_t kMaxLastLineBytes = 64 << 10;

// What the last-line reading found.
struct LastLine {
    std::string line;           // the last terminated line followed by CR LF
    std::int64_t lineCount = 0; // the number of line ends in the file
    std::uint64_t start = 0;    // where the line starts in the file
    // The line is longer than kMaxLastLineBytes: `line` holds only its first
    // kMaxLastLineBytes bytes, without CR LF, so its last field may be cut.
    bool cut = false;
};

class LastLineReader {
public:
    // The last line and the line count. A file whose only line has no line
    // end gives count 0 and that line; an empty file gives count 0 and no line.
    // The error, shown with fileErrorMessage, is kErrFileMissing with the
    // path, CR LF and "ファイルが存在しませんでした。" when there is no such file
    // (or the path is empty or names something other than a regular file),
    // or the system's error.
    Result<LastLine> read(const std::string& path);

    // Takes over a count made by a full scan of path, so the next read of
    // that file only counts what was appended after it.
    void continueFrom(const std::string& path, const FileScan& scan);

    // The line ends the last read counted.
    std::int64_t lineCount() const { return m_scan.tally.lineEnds; }

private:
    // The last line as it was read, to see that the file still holds it.
    struct LastLineSeen {
        std::uint64_t start = 0;
        std::uint64_t length = 0;
        std::size_t hash = 0;
    };

    Result<LastLine> readOnce(const std::string& path);
    bool sameLastLine(int fd) const;

    std::string m_path;
    FileScan m_scan;
    std::optional<LastLineSeen> m_lastLine;
    bool m_counted = false;
};
