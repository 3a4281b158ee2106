#pragma once
// Reading a text file in blocks of whole lines, for loops that walk the
// lines themselves and would pay for a call and a copy per line otherwise.
// The line ends are those of LineReader (LF, CR LF or a lone CR), and so is
// everything else it promises: a last line without a line end, the UTF-8
// byte-order mark that is no part of the first line, the refusal of UTF-16
// and UTF-32 marks, and the error when the file becomes shorter than what
// was read of it.

#include "base/Result.h"
#include "io/FileScan.h"

#include <cstdint>
#include <string_view>
#include <vector>

class LineBlocks {
public:
    // Blocks of whole lines read `bufferBytes` at a time (longer lines make
    // the buffer grow).
    explicit LineBlocks(std::size_t bufferBytes = std::size_t{1} << 20) : m_bufferBytes(bufferBytes) {}

    // Opens the file read-only.
    Result<> open(const std::string& path);
    // Reads an open stream from where it stands; its size is unknown (0)
    // unless it is a regular file.
    Result<> openStream(UniqueFd fd);
    void close();

    // The next block: one or more whole lines, each with its line end, but
    // for the file's last line, which may have none. A CR that ends a block
    // is a line end of its own; an LF that completes it is no part of the
    // next block. Valid until the next call, and kLineEndSearchSlack bytes
    // past its end may be read. False at the end of the file, or after a read
    // error (failed() then tells).
    bool next(std::string_view& block);

    bool failed() const { return m_failed; }
    const Error& error() const { return m_error; }

    // The file offset of a byte of the block last returned, or just past it.
    std::uint64_t offsetOf(const char* p) const {
        return m_offset - static_cast<std::uint64_t>(m_buffer.data() + m_end - p);
    }
    // The file's size when it was opened, for progress.
    std::uint64_t sizeAtOpen() const { return m_sizeAtOpen; }

private:
    bool readMore();
    void fail(Error error);

    std::size_t m_bufferBytes;
    UniqueFd m_fd;
    std::vector<char> m_buffer; // its data, then the search's slack
    std::size_t m_pos = 0;      // the unconsumed data: [m_pos, m_end)
    std::size_t m_end = 0;
    std::size_t m_searched = 0; // the unconsumed data before it holds no line end
    std::uint64_t m_offset = 0; // file offset just past the buffered bytes
    std::uint64_t m_sizeAtOpen = 0;
    bool m_skipLF = false; // the last block ended with a CR
    bool m_eof = false;
    bool m_failed = false;
    bool m_regularFile = false;
    Error m_error;
};
