#pragma once
// Reading a text file line by line, fast, with the common line-end rule
// (LF, CR LF or a lone CR; see LineEnds.h). A last line without a line end is
// still a line; an empty file has no lines. A UTF-8 byte-order mark is no
// part of the first line; a UTF-16 or UTF-32 mark fails the first read.

#include "base/Result.h"
#include "io/FileScan.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class LineReader {
public:
    LineReader() = default;

    // Opens the file read-only.
    Result<> open(const std::string& path);
    // Reads an open stream (a pipe, a terminal, or a file) from where it
    // stands; its size is unknown (0) unless it is a regular file.
    Result<> openStream(UniqueFd fd);
    void close();

    // The next line without its line end, valid until the next call. False at
    // the end of the file, or after a read error (failed() then tells); a file
    // that became shorter than what was read from it is such an error.
    bool next(std::string_view& line);

    bool failed() const { return m_failed; }
    const Error& error() const { return m_error; }

    // Bytes consumed so far and the file's size when it was opened, for progress.
    std::uint64_t position() const { return m_offset - (m_end - m_pos); }
    std::uint64_t sizeAtOpen() const { return m_sizeAtOpen; }

private:
    bool refill();
    const char* findLineEnd(std::size_t from);

    UniqueFd m_fd;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::uint64_t m_offset = 0; // file offset just past the buffered bytes
    std::uint64_t m_sizeAtOpen = 0;
    std::size_t m_nextCR = 0; // cached positions of the next CR and LF at or after
    std::size_t m_nextLF = 0; //   m_pos (m_end when none, all ones when unknown)
    bool m_skipLF = false;    // the last line ended with a CR at the buffer's end
    bool m_eof = false;
    bool m_failed = false;
    bool m_regularFile = false; // a file, which can be seen to become shorter
    Error m_error;
    std::string m_partial; // a line that runs across a buffer refill
};
