#include "text/LineEnds.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

bool isLineEndByte(char c) {
    return c == '\n' || c == '\r';
}

#if defined(__SSE2__)
// Counts CR, LF and "LF right after CR" over 16-byte steps starting at
// `from` (at least 1, so the byte before each step is inside data). Byte
// counters are flushed before they can wrap. Returns the first position not
// counted.
std::size_t countVectorised(const char* data, std::size_t size, std::size_t from, std::int64_t& count) {
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i zero = _mm_setzero_si128();
    std::size_t i = from;
    while (i + 16 <= size) {
        __m128i crCount = zero;
        __m128i lfCount = zero;
        __m128i pairCount = zero;
        for (int step = 0; step < 255 && i + 16 <= size; ++step, i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            const __m128i before = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i - 1));
            const __m128i isLf = _mm_cmpeq_epi8(bytes, lf);
            const __m128i isCr = _mm_cmpeq_epi8(bytes, cr);
            crCount = _mm_sub_epi8(crCount, isCr);
            lfCount = _mm_sub_epi8(lfCount, isLf);
            pairCount = _mm_sub_epi8(pairCount, _mm_and_si128(isLf, _mm_cmpeq_epi8(before, cr)));
        }
        const auto total = [&](__m128i counters) {
            const __m128i sums = _mm_sad_epu8(counters, zero);
            return static_cast<std::int64_t>(_mm_cvtsi128_si32(sums)) +
                   static_cast<std::int64_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(sums, sums)));
        };
        count += total(crCount) + total(lfCount) - total(pairCount);
    }
    return i;
}
#endif

} // namespace

std::int64_t countLineEnds(const char* data, std::size_t size, bool afterCR) {
    if (size == 0)
        return 0;
    std::int64_t count = 0;
    // The first byte looks back across the chunk boundary.
    if (data[0] == '\r' || (data[0] == '\n' && !afterCR))
        ++count;
    std::size_t i = 1;
#if defined(__SSE2__)
    i = countVectorised(data, size, i, count);
#endif
    for (; i < size; ++i)
        if (data[i] == '\r' || (data[i] == '\n' && data[i - 1] != '\r'))
            ++count;
    return count;
}

void tallyChunk(LineTally& tally, const char* data, std::size_t size) {
    if (size == 0)
        return;
    const std::uint64_t base = tally.scanned;
    const bool afterCR = tally.endsWithCR;
    tally.lineEnds += countLineEnds(data, size, afterCR);
    tally.scanned += size;
    tally.endsWithCR = data[size - 1] == '\r';

    // The last line-end byte of the chunk, if any, moves the tail and perhaps
    // the last terminated line.
    std::size_t last = size;
    while (last > 0 && !isLineEndByte(data[last - 1]))
        --last;
    if (last == 0)
        return;
    const std::size_t endByte = last - 1;
    const std::uint64_t previousTail = tally.tailStart;
    tally.tailStart = base + endByte + 1;

    // Where the line end starts: an LF right after a CR belongs to that CR.
    const bool lfAfterCR = data[endByte] == '\n' && (endByte > 0 ? data[endByte - 1] == '\r' : afterCR);
    if (lfAfterCR && endByte == 0)
        return; // completes the CR LF whose CR ended the last line in the previous chunk
    const std::size_t lineEnd = lfAfterCR ? endByte - 1 : endByte;

    std::size_t start = lineEnd;
    while (start > 0 && !isLineEndByte(data[start - 1]))
        --start;
    tally.lastLineEnd = base + lineEnd;
    tally.lastLineStart = start > 0 ? base + start : previousTail;
}
