#include "models/CommandLine.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

using Strings = std::vector<std::string>;

TEST(SplitCommandLine, GivesTheTokensInOrderAndWhatIsLeft) {
    // A trailing blank gives an empty last token, an unmatched quote takes the
    // rest, and tabs are no separators.
    const std::tuple<std::string, Strings, std::string> cases[] = {
        {"", {}, ""},
        {"a.csv b.csv", {"a.csv", "b.csv"}, ""},
        {"a.csv ", {"a.csv", ""}, ""},
        {"a  b", {"a", "", "b"}, ""},
        {"\"/home/u/my data/log 1.csv\"", {"/home/u/my data/log 1.csv"}, ""},
        {"x \"/tmp/a b.csv\" y \"/tmp/c d.csv\" tail", {"/tmp/a b.csv", "/tmp/c d.csv"}, " tail"},
        {"\"\"", {""}, ""},
        {"\"/tmp/a b.csv\" \"/tmp/c d", {"/tmp/a b.csv", "/tmp/c d"}, ""},
        {"\"", {""}, ""},
        {"a\tb", {"a\tb"}, ""},
    };
    for (const auto& [text, tokens, remaining] : cases) {
        const auto result = splitCommandLine(text);
        EXPECT_EQ(result.tokens, tokens) << text;
        EXPECT_EQ(result.remaining, remaining) << text;
    }
}

TEST(JoinCommandLine, QuotesWordsThatWouldNotSurvivePlainSplitting) {
    const std::pair<Strings, std::string> cases[] = {{{"a.csv", "b.csv"}, "a.csv b.csv"},
                                                     {{"a", "b c"}, "a \"b c\""},
                                                     {{"a\tb"}, "\"a\tb\""},
                                                     {{""}, "\"\""}};
    for (const auto& [words, text] : cases)
        EXPECT_EQ(joinCommandLine(words), text);
    for (const std::string path : {"/tmp/with blank.csv", "/tmp/two  blanks .csv", "", " leading"}) {
        const auto result = splitCommandLine(joinCommandLine({path}));
        ASSERT_FALSE(result.tokens.empty()) << path;
        EXPECT_EQ(result.tokens.back(), path) << "a path given alone comes back whole";
    }
}

TEST(ProgramOptions, AreTakenOutBeforeTheWords) {
    const std::tuple<Strings, bool, bool, std::string, Strings> cases[] = {
        {{"--help"}, true, false, "", {}},
        {{"a.csv", "--version"}, false, true, "", {"a.csv"}},
        {{"--encoding", "Shift_JIS", "a.csv"}, false, false, "Shift_JIS", {"a.csv"}},
        {{"a.csv", "--encoding=EUC-JP"}, false, false, "EUC-JP", {"a.csv"}},
        {{"-x", "--", "--help", "--version"}, false, false, "", {"-x", "--help", "--version"}},
    };
    for (const auto& [arguments, help, version, encoding, words] : cases) {
        const auto parsed = parseProgramArguments(arguments);
        ASSERT_TRUE(parsed) << testing::PrintToString(arguments) << ": " << parsed.error().message;
        EXPECT_EQ(std::tie(parsed->help, parsed->version, parsed->encoding, parsed->words),
                  std::tie(help, version, encoding, words))
            << testing::PrintToString(arguments);
    }
    const std::pair<Strings, std::string> bad[] = {
        {{"--encoding"}, "--encoding needs an encoding name"},
        {{"--encoding="}, "--encoding needs an encoding name"},
        {{"--verbose", "--encoding"}, "unknown option: --verbose"},
        {{"--help=1"}, "unknown option: --help=1"},
        {{"--version=2"}, "unknown option: --version=2"},
    };
    for (const auto& [arguments, message] : bad) {
        const auto parsed = parseProgramArguments(arguments);
        ASSERT_FALSE(parsed) << testing::PrintToString(arguments);
        EXPECT_EQ(parsed.error().message, message);
    }
}

} // namespace
