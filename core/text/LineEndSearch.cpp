#include "text/LineEndSearch.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// Bits of the 64 bytes at p that equal c, the first byte in the lowest bit.
std::uint64_t bitsOf(const char* p, __m128i c) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
        bits |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, c))))
                << (16 * i);
    }
    return bits;
}
#endif

} // namespace

void findLineEnds(const char* data, std::size_t size, std::vector<std::size_t>& ends) {
#if defined(__SSE2__)
    // Sixty-four bytes at a time, as bit masks: a line end is a CR, or an LF
    // whose byte before is no CR (that one carried over between blocks).
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    std::uint64_t crBefore = 0;
    for (std::size_t at = 0; at < size; at += 64) {
        const std::uint64_t crs = bitsOf(data + at, cr);
        const std::uint64_t lfs = bitsOf(data + at, lf);
        std::uint64_t found = crs | (lfs & ~((crs << 1) | crBefore));
        crBefore = crs >> 63;
        if (size - at < 64)
            found &= (std::uint64_t{1} << (size - at)) - 1;
        for (; found != 0; found &= found - 1)
            ends.push_back(at + static_cast<std::size_t>(std::countr_zero(found)));
    }
#else
    for (std::size_t at = 0; at < size; ++at)
        if (data[at] == '\r' || (data[at] == '\n' && (at == 0 || data[at - 1] != '\r')))
            ends.push_back(at);
#endif
}
