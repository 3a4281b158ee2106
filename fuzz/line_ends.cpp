// Line ends counted in chunks against the rule read one byte at a time.
//
// Input: a byte n, then n chunk sizes (one byte each, used in turn; 255 takes
// all that is left), then the byte stream. The stream is fed to the tally in
// those chunks, so a CR and its LF can fall into two reads.

#include "FuzzSupport.h"
#include "text/LineEnds.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The line ends at or after `from`; the lines are in order.
std::int64_t endsFrom(const fuzzing::LineSplit& split, std::size_t from) {
    const auto first = std::partition_point(split.lines.begin(), split.lines.end(),
                                            [from](const fuzzing::Line& l) { return l.end < from; });
    return split.lines.end() - first;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::size_t sizeCount = std::min<std::size_t>(data[0] % 32, size - 1);
    const std::uint8_t* sizes = data + 1;
    const std::string_view stream(reinterpret_cast<const char*>(data + 1 + sizeCount), size - 1 - sizeCount);
    const fuzzing::LineSplit split = fuzzing::splitAtLineEnds(stream);
    const auto lineEnds = static_cast<std::int64_t>(split.lines.size());
    const auto context = [&] { return "stream " + fuzzing::shown(stream); };

    FUZZ_EXPECT(countLineEnds(stream.data(), stream.size(), false) == lineEnds, context());
    // From the next 16 starts too, so that the 16-byte loads meet every alignment.
    for (std::size_t from = 1; from < std::min<std::size_t>(stream.size(), 17); ++from)
        FUZZ_EXPECT(countLineEnds(stream.data() + from, stream.size() - from, stream[from - 1] == '\r') ==
                        endsFrom(split, from),
                    context() + " from " + std::to_string(from));

    LineTally tally;
    std::size_t fed = 0;
    std::vector<std::size_t> chunks;
    for (std::size_t i = 0; fed < stream.size(); ++i) {
        std::size_t chunk = stream.size() - fed;
        if (sizeCount > 0 && i < 4 * stream.size())
            chunk = sizes[i % sizeCount] == 255 ? chunk : std::min<std::size_t>(chunk, sizes[i % sizeCount]);
        tallyChunk(tally, stream.data() + fed, chunk);
        fed += chunk;
        if (chunk > 0)
            chunks.push_back(chunk);
    }
    const auto fedAs = [&] {
        std::string text = context() + " fed in chunks of";
        for (const std::size_t chunk : chunks)
            text += " " + std::to_string(chunk);
        return text;
    };
    FUZZ_EXPECT(tally.lineEnds == lineEnds, fedAs() + ": " + std::to_string(tally.lineEnds) + " line ends");
    FUZZ_EXPECT(tally.scanned == stream.size(), fedAs());
    FUZZ_EXPECT(tally.endsWithCR == (!stream.empty() && stream.back() == '\r'), fedAs());
    FUZZ_EXPECT(tally.tailStart == split.tailStart, fedAs() + ": tail at " + std::to_string(tally.tailStart));
    if (lineEnds > 0) {
        const fuzzing::Line last = split.lines.back();
        FUZZ_EXPECT(tally.lastLineStart == last.start && tally.lastLineEnd == last.end,
                    fedAs() + ": last line [" + std::to_string(tally.lastLineStart) + ", " +
                        std::to_string(tally.lastLineEnd) + "), want [" + std::to_string(last.start) + ", " +
                        std::to_string(last.end) + ")");
    }
    return 0;
}
