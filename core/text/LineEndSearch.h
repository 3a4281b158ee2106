#pragma once
// Finding the next line end (CR or LF) in a buffer that has at least
// kLineEndSearchSlack readable bytes after its data.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Bytes past the data that the searches may read (and ignore).
inline constexpr std::size_t kLineEndSearchSlack = 64;

// The first CR or LF in [p, end), or end when there is none.
inline const char* findLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
    // Data lines are short, so one pass over 16 bytes at a time for both CR
    // and LF beats library searches that each pay a call per line; the last
    // block may run into the slack.
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; p < end; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)));
        if (mask != 0)
            return std::min(p + __builtin_ctz(static_cast<unsigned>(mask)), end);
    }
    return end;
#else
    const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p));
    const char* stop = cr ? static_cast<const char*>(cr) : end;
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(stop - p));
    return lf ? static_cast<const char*>(lf) : stop;
#endif
}

// Where the line that ends at `lineEnd` (a CR or LF before `end`, or `end`)
// is followed by the next one: past LF, CR or CR LF.
inline const char* pastLineEnd(const char* lineEnd, const char* end) {
    if (lineEnd == end)
        return end;
    if (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n')
        return lineEnd + 2;
    return lineEnd + 1;
}

// Appends the offsets of the bytes that end the lines of [data, data + size)
// to `ends`: every CR, and every LF that does not complete a CR LF (one at
// data[0] is taken to end a line).
void findLineEnds(const char* data, std::size_t size, std::vector<std::size_t>& ends);
