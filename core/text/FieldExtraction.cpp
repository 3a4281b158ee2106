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
// search, which costs a call per field.
std::size_t findDelimiter(std::string_view line, char delimiter, std::size_t from) {
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

} // namespace

std::optional<std::string_view> extractField(std::string_view line, int fieldNumber, const FieldRule& rule) {
    if (fieldNumber < 1 || fieldNumber > kMaxFields)
        return std::nullopt;
    const std::size_t length = line.size();
    std::size_t scan = 0; // 0-based scan position
    for (int field = 1; field <= kMaxFields;) {
        std::size_t found =
            rule.delimiter ? findDelimiter(line, *rule.delimiter, scan) : std::string_view::npos;
        if (rule.skipRuns && found == scan) {
            ++scan;
            continue;
        }
        if (found == std::string_view::npos) {
            if (scan >= length)
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
