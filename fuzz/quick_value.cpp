// The replay's quick reading of a plain field against the general reading
// it stands in for, and the block-wide search for line ends against the
// line-end rule read literally.
//
// Input: a byte for the field (1 to 4) and one for the delimiter (its low
// bits) and the runs rule (bit 4), then the bytes of a block of lines.

#include "FuzzSupport.h"
#include "text/FieldExtraction.h"
#include "text/LineEndSearch.h"
#include "text/NumberText.h"
#include "text/QuickValue.h"

#include <bit>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Script script(data, size);
    const int column = script.byte() % 4 + 1;
    const std::uint8_t rule = script.byte();
    static constexpr char kDelimiters[] = {',', ' ', '\t', ';'};
    const FieldRule fieldRule{kDelimiters[rule % 4], (rule & 0x10) != 0};
    const std::size_t start = std::min<std::size_t>(2, size);
    // The block, with the slack the searches may read: bytes of its own, so
    // that reading them would show.
    std::string block(reinterpret_cast<const char*>(data) + start, size - start);
    const std::size_t length = block.size();
    for (std::size_t i = 0; i < kLineEndSearchSlack; ++i)
        block += "9.,\n"[i % 4];

    const fuzzing::LineSplit split = fuzzing::splitAtLineEnds(std::string_view(block.data(), length));
    std::vector<std::size_t> ends;
    findLineEnds(block.data(), length, ends);
    FUZZ_EXPECT(ends.size() == split.lines.size(), "line ends of " + fuzzing::shown(block.substr(0, length)));
    for (std::size_t i = 0; i < std::min(ends.size(), split.lines.size()); ++i)
        FUZZ_EXPECT(ends[i] == split.lines[i].end, "line end " + std::to_string(i + 1));

    std::size_t lineStart = 0;
    for (const std::size_t end : ends) {
        const std::string_view line(block.data() + lineStart, end - lineStart);
        QuickValue quick;
        if (readQuickValue(line.data(), line.data() + line.size(), column, *fieldRule.delimiter,
                           fieldRule.skipRuns, quick)) {
            const auto field = extractField(line, column, fieldRule);
            FUZZ_EXPECT(field && *field == quick.field, "the field of " + fuzzing::shown(line));
            const auto value = numericValue(quick.field);
            FUZZ_EXPECT(value && std::bit_cast<std::uint64_t>(*value) ==
                                     std::bit_cast<std::uint64_t>(quick.value()),
                        "the value of " + fuzzing::shown(quick.field));
        }
        lineStart = block[end] == '\r' && end + 1 < length && block[end + 1] == '\n' ? end + 2 : end + 1;
    }
    return 0;
}
