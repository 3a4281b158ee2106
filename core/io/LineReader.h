#pragma once
// Reading a text file line by line, fast, with the common line-end rule
// (LF, CR LF or a lone CR; see LineEnds.h). A last line without a line end is
// still a line; an empty file has no lines. A UTF-8 byte-order mark is no
// part of the first line; a UTF-16 or UTF-32 mark fails the first read.

#include "base/Result.h"
#include "io/FileScan.h"
#include "io/LineBlocks.h"

#include <cstdint>
#include <string>
#include <string_view>

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

    bool failed() const { return m_blocks.failed(); }
    const Error& error() const { return m_blocks.error(); }

    // Bytes consumed so far and the file's size when it was opened, for progress.
    std::uint64_t position() const { return m_pos ? m_blocks.offsetOf(m_pos) : 0; }
    std::uint64_t sizeAtOpen() const { return m_blocks.sizeAtOpen(); }

private:
    LineBlocks m_blocks;
    const char* m_pos = nullptr; // the next line in the block, up to m_end
    const char* m_end = nullptr;
};
