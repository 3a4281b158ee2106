#include "text/LineEnds.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

// The rule written the slow, obvious way.
std::int64_t naiveCount(const std::string& s, bool afterCR) {
    std::int64_t count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const bool crBefore = i > 0 ? s[i - 1] == '\r' : afterCR;
        if (s[i] == '\r' || (s[i] == '\n' && !crBefore))
            ++count;
    }
    return count;
}

// Random bytes dense in CR and LF, long enough for the vectorised path and its
// counter flushes, at every alignment.
TEST(CountLineEnds, AgreesWithTheObviousRuleOnRandomData) {
    std::mt19937 random(7);
    const char alphabet[] = {'a', '\r', '\n', ','};
    std::string bytes(20'000, 'a');
    for (char& c : bytes)
        c = alphabet[random() % 4];
    for (std::size_t offset = 0; offset < 20; ++offset)
        for (bool afterCR : {false, true}) {
            const std::string part = bytes.substr(offset);
            EXPECT_EQ(countLineEnds(part.data(), part.size(), afterCR), naiveCount(part, afterCR));
        }
    const std::string lfOnly(100'000, '\n');
    EXPECT_EQ(countLineEnds(lfOnly.data(), lfOnly.size(), false), 100'000);
}

LineTally tallyInChunks(const std::string& bytes, const std::vector<std::size_t>& cuts) {
    LineTally tally;
    std::size_t from = 0;
    for (std::size_t cut : cuts) {
        tallyChunk(tally, bytes.data() + from, cut - from);
        from = cut;
    }
    tallyChunk(tally, bytes.data() + from, bytes.size() - from);
    return tally;
}

void expectSameTally(const LineTally& a, const LineTally& b, const std::string& context) {
    EXPECT_EQ(a.lineEnds, b.lineEnds) << context;
    EXPECT_EQ(a.tailStart, b.tailStart) << context;
    if (a.lineEnds > 0) {
        EXPECT_EQ(a.lastLineStart, b.lastLineStart) << context;
        EXPECT_EQ(a.lastLineEnd, b.lastLineEnd) << context;
    }
}

// Cut anywhere, CR LF split included, the stream gives the same tally.
TEST(TallyChunk, RandomChunkingGivesTheWholeTally) {
    std::mt19937 random(11);
    const char alphabet[] = {'a', '\r', '\n', 'b', 'c'};
    for (int round = 0; round < 200; ++round) {
        std::string bytes(1 + random() % 300, 'a');
        for (char& c : bytes)
            c = alphabet[random() % 5];
        std::vector<std::size_t> cuts;
        for (std::size_t at = 1 + random() % 7; at < bytes.size(); at += 1 + random() % 40)
            cuts.push_back(at);
        expectSameTally(tallyInChunks(bytes, cuts), tallyInChunks(bytes, {}), testing::PrintToString(bytes));
    }
}

} // namespace
