#include "text/FieldExtraction.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

std::optional<char> delimiterFor(std::string_view delimiterName) {
    static constexpr char kCharacters[] = {',', ' ', '\t', ':', ';'};
    for (std::size_t i = 0; i < std::size(kDelimiterNames); ++i)
        if (delimiterName == kDelimiterNames[i])
            return kCharacters[i];
    return std::nullopt;
}

namespace {

// The next `delimiter` at or after `from`, npos when none. Fields are short,
// so the first bytes are looked at here, eight at a time, before a library
// search, which costs a call per field. Inlined into both loops that use it,
// where a call of its own would cost as much again.
[[gnu::always_inline]] inline std::size_t findDelimiter(std::string_view line, char delimiter,
                                                        std::size_t from) {
    if constexpr (std::endian::native != std::endian::little)
        return line.find(delimiter, from);
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(delimiter);
    // The lowest byte of `block` equal to the delimiter, 8 when none; the
    // lowest flagged byte of this test is always exact.
    const auto firstMatch = [&](std::uint64_t block, std::uint64_t ignoredLowBytes) {
        const std::uint64_t x = (block ^ pattern) | ignoredLowBytes;
        const std::uint64_t zeros = (x - kOnes) & ~x & kHighs;
        return zeros == 0 ? 8u : static_cast<unsigned>(std::countr_zero(zeros)) / 8;
    };
    const std::size_t quickEnd = std::min(line.size(), from + 32);
    std::size_t i = from;
    for (; i + 8 <= quickEnd; i += 8) {
        std::uint64_t block;
        std::memcpy(&block, line.data() + i, 8);
        if (const unsigned at = firstMatch(block, 0); at < 8)
            return i + at;
    }
    if (i < quickEnd) {
        if (quickEnd >= 8) {
            // The last few bytes as one block ending at quickEnd; bytes before
            // i are set apart so they cannot match.
            const std::size_t start = quickEnd - 8;
            std::uint64_t block;
            std::memcpy(&block, line.data() + start, 8);
            const std::size_t skipped = i - start;
            const std::uint64_t ignored = skipped == 0 ? 0 : ~std::uint64_t{0} >> (64 - 8 * skipped);
            if (const unsigned at = firstMatch(block, ignored); at < 8)
                return start + at;
        } else {
            for (; i < quickEnd; ++i)
                if (line[i] == delimiter)
                    return i;
        }
    }
    return quickEnd < line.size() ? line.find(delimiter, quickEnd) : std::string_view::npos;
}

// The closing quote of a field opening with the '"' at `open`: the first
// quote after it that is not one of a doubled pair; npos when there is none.
std::size_t closingQuote(std::string_view line, std::size_t open) {
    std::size_t close = open + 1;
    for (;;) {
        close = line.find('"', close);
        if (close == std::string_view::npos || close + 1 == line.size() || line[close + 1] != '"')
            return close;
        close += 2;
    }
}

// Whether nothing but CR and LF follows `from`.
bool onlyLineEndFrom(std::string_view line, std::size_t from) {
    return line.find_first_not_of("\r\n", from) == std::string_view::npos;
}

// The one field of a line split at no delimiter.
template <bool kCut> std::optional<std::string_view> wholeLineField(std::string_view line) {
    // Of a cut line it runs to the cut, and so does a quoted one, which only
    // a line end could close.
    if (kCut || line.empty())
        return std::nullopt;
    if (line.front() == '"') {
        const std::size_t close = closingQuote(line, 0);
        if (close != std::string_view::npos && onlyLineEndFrom(line, close + 1))
            return line.substr(1, close - 1);
    }
    return line;
}

// extractField, or with kCut extractFieldOfCutLine: one loop, so that the
// two cannot disagree, made twice, so that the whole line's path pays
// nothing for the cut line's checks.
template <bool kCut>
std::optional<std::string_view> locateField(std::string_view line, int fieldNumber, const FieldRule& rule) {
    if (fieldNumber < 1 || fieldNumber > kMaxFields)
        return std::nullopt;
    if (!rule.delimiter)
        return fieldNumber == 1 ? wholeLineField<kCut>(line) : std::nullopt;
    // Copies, which the calls of the quoted fields' search cannot change, so
    // that they stay in registers.
    const char delimiter = *rule.delimiter;
    const bool skipRuns = rule.skipRuns;
    const std::size_t length = line.size();
    std::size_t scan = 0; // 0-based scan position
    for (int field = 1; field <= kMaxFields;) {
        // A quote is never a delimiter, so a field opening with one is where
        // any run of delimiters has been passed over.
        if (scan < length && line[scan] == '"') [[unlikely]] {
            const std::size_t close = closingQuote(line, scan);
            // Of a cut line, a quote still open at the cut may close beyond
            // it, and text may follow a quote closed just before it.
            if (kCut && (close == std::string_view::npos || onlyLineEndFrom(line, close + 1)))
                return std::nullopt;
            const bool delimited =
                close != std::string_view::npos && close + 1 < length && line[close + 1] == delimiter;
            if (delimited || (close != std::string_view::npos && onlyLineEndFrom(line, close + 1))) {
                if (field == fieldNumber)
                    return line.substr(scan + 1, close - scan - 1);
                if (!delimited)
                    return std::nullopt;
                ++field;
                scan = close + 2;
                continue;
            }
        }
        std::size_t found = findDelimiter(line, delimiter, scan);
        if (skipRuns && found == scan) {
            ++scan;
            continue;
        }
        if (found == std::string_view::npos) {
            // A field of a cut line that runs to the cut may go on beyond it.
            if (kCut || scan >= length)
                return std::nullopt;
            found = length;
        }
        if (field == fieldNumber)
            return line.substr(scan, found - scan);
        ++field;
        scan = found + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string_view> extractField(std::string_view line, int fieldNumber, const FieldRule& rule) {
    return locateField<false>(line, fieldNumber, rule);
}

std::optional<std::string_view> extractFieldOfCutLine(std::string_view lineStart, int fieldNumber,
                                                      const FieldRule& rule) {
    return locateField<true>(lineStart, fieldNumber, rule);
}
