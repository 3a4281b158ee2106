#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Strings tokens;
    std::string remaining;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitCommandArg : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandArg, GivesTheTokensInOrderAndWhatIsLeft) {
    const auto& c = GetParam();
    const auto result = splitCommandArg(c.text);
    EXPECT_EQ(result.tokens, c.tokens);
    EXPECT_EQ(result.remaining, c.remaining);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SplitCommandArg,
    testing::Values(
        SplitCase{"Empty", "", {}, ""}, SplitCase{"OnePlainToken", "data.csv", {"data.csv"}, ""},
        SplitCase{"TwoPlainTokens", "a.csv b.csv", {"a.csv", "b.csv"}, ""},
        SplitCase{"TrailingSpaceGivesAnEmptyLastToken", "a.csv ", {"a.csv", ""}, ""},
        SplitCase{"TwoSpacesGiveAnEmptyToken", "a  b", {"a", "", "b"}, ""},
        SplitCase{"LoneSpace", " ", {"", ""}, ""},
        SplitCase{
            "QuotedPathKeepsItsBlanks", "\"/home/u/my data/log 1.csv\"", {"/home/u/my data/log 1.csv"}, ""},
        SplitCase{"UnquotedWordsBesideQuotedPathsAreIgnored",
                  "x \"/tmp/a b.csv\" y \"/tmp/c d.csv\" tail",
                  {"/tmp/a b.csv", "/tmp/c d.csv"},
                  " tail"},
        SplitCase{"TwoAdjacentQuotesGiveOneEmptyToken", "\"\"", {""}, ""},
        SplitCase{
            "UnmatchedQuoteTakesTheRest", "\"/tmp/a b.csv\" \"/tmp/c d", {"/tmp/a b.csv", "/tmp/c d"}, ""},
        SplitCase{"LoneQuoteGivesAnEmptyToken", "\"", {""}, ""},
        SplitCase{"TabsAreNotSeparators", "a\tb", {"a\tb"}, ""},
        SplitCase{"MultiByteTextIsKept", "\"/データ/計測 1.csv\"", {"/データ/計測 1.csv"}, ""}),
    [](const auto& info) { return info.param.name; });

struct JoinCase {
    const char* name;
    Strings words;
    std::string text;
};

void PrintTo(const JoinCase& c, std::ostream* os) {
    *os << c.name;
}

class JoinCommandLine : public testing::TestWithParam<JoinCase> {};

TEST_P(JoinCommandLine, QuotesWordsThatWouldNotSurvivePlainSplitting) {
    const auto& c = GetParam();
    EXPECT_EQ(joinCommandLine(c.words), c.text);
}

INSTANTIATE_TEST_SUITE_P(Words, JoinCommandLine,
                         testing::Values(JoinCase{"None", {}, ""}, JoinCase{"One", {"a.csv"}, "a.csv"},
                                         JoinCase{"Two", {"a.csv", "b.csv"}, "a.csv b.csv"},
                                         JoinCase{"Blank", {"/tmp/my file.csv"}, "\"/tmp/my file.csv\""},
                                         JoinCase{"Tab", {"a\tb"}, "\"a\tb\""},
                                         JoinCase{"Empty", {""}, "\"\""},
                                         JoinCase{"Mixed", {"a", "b c"}, "a \"b c\""}),
                         [](const auto& info) { return info.param.name; });

TEST(CommandLine, AnyPathGivenAloneComesBackWhole) {
    for (const std::string path : {"/tmp/plain.csv", "/tmp/with blank.csv", "/tmp/two  blanks .csv", "",
                                   "/tmp/tab\there.csv", " leading"}) {
        const auto result = splitCommandArg(joinCommandLine({path}));
        ASSERT_FALSE(result.tokens.empty()) << path;
        EXPECT_EQ(result.tokens.back(), path);
    }
}

struct OptionCase {
    const char* name;
    Strings arguments;
    bool help;
    std::string encoding;
    Strings words;
    bool error;
};

void PrintTo(const OptionCase& c, std::ostream* os) {
    *os << c.name;
}

class ProgramOptions : public testing::TestWithParam<OptionCase> {};

TEST_P(ProgramOptions, AreTakenOutBeforeTheWords) {
    const auto& c = GetParam();
    const auto parsed = parseProgramArguments(c.arguments);
    EXPECT_EQ(!parsed.error.empty(), c.error) << parsed.error;
    if (c.error)
        return;
    EXPECT_EQ(parsed.help, c.help);
    EXPECT_EQ(parsed.encoding, c.encoding);
    EXPECT_EQ(parsed.words, c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ProgramOptions,
    testing::Values(
        OptionCase{"Nothing", {}, false, "", {}, false},
        OptionCase{"WordsOnly", {"a.csv", "my file.csv"}, false, "", {"a.csv", "my file.csv"}, false},
        OptionCase{"Help", {"--help"}, true, "", {}, false},
        OptionCase{
            "EncodingSeparate", {"--encoding", "Shift_JIS", "a.csv"}, false, "Shift_JIS", {"a.csv"}, false},
        OptionCase{"EncodingJoined", {"a.csv", "--encoding=EUC-JP"}, false, "EUC-JP", {"a.csv"}, false},
        OptionCase{"SingleDashIsAWord", {"-x"}, false, "", {"-x"}, false},
        OptionCase{"DoubleDashEndsOptions", {"--", "--help", "b"}, false, "", {"--help", "b"}, false},
        OptionCase{"EncodingWithoutName", {"--encoding"}, false, "", {}, true},
        OptionCase{"EncodingEmptyName", {"--encoding="}, false, "", {}, true},
        OptionCase{"Unknown", {"--verbose"}, false, "", {}, true}),
    [](const auto& info) { return info.param.name; });

} // namespace
