#pragma once
// Line ends, the same in every reader: LF, CR LF and a lone CR each end a
// line, and CR LF counts once, also when the CR and its LF arrive in two
// separate chunks.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Number of line ends in data[0, size). `afterCR` tells that the byte just
// before data was a CR, so a leading LF completes that CR's line end.
std::int64_t countLineEnds(const char* data, std::size_t size, bool afterCR);

// A running tally over a byte stream fed in chunks: the line ends seen so far
// and where the last terminated line lies. Offsets are from the stream's start.
struct LineTally {
    std::int64_t lineEnds = 0;
    std::uint64_t scanned = 0;       // bytes fed so far
    bool endsWithCR = false;         // the last byte fed was a CR
    std::uint64_t tailStart = 0;     // offset just past the last line-end byte
    std::uint64_t lastLineStart = 0; // the last terminated line, [start, end);
    std::uint64_t lastLineEnd = 0;   //   meaningful once lineEnds > 0
};

// Feeds the next chunk of the stream to the tally.
void tallyChunk(LineTally& tally, const char* data, std::size_t size);

// `text` without the line end a reader left on it (any CR and LF at its end).
inline std::string_view withoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}
