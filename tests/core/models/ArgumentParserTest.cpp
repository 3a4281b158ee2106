#include "models/ArgumentParser.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
using Options = std::vector<std::pair<std::string, std::string>>; // long name, value
using Problem = std::optional<std::pair<ArgumentError::Kind, std::string>>;
using enum ArgumentError::Kind;

// Options as the renderer has them, with short names, and as the program has
// them, without.
const std::vector<OptionDefinition> kWithShortNames = {
    {"--output", "-o", true, false}, {"--title", "-t", true, true}, {"--annotate", "", false}};
const std::vector<OptionDefinition> kLongNamesOnly = {{"--help", "", false}, {"--encoding", "", true, false}};

TEST(ParseArguments, SeparatesOptionsFromWordsUpToTheFirstProblem) {
    const std::tuple<const std::vector<OptionDefinition>*, Strings, Options, Strings, Problem> cases[] = {
        {&kWithShortNames, {"--output", "dir", "a.csv"}, {{"--output", "dir"}}, {"a.csv"}, {}},
        {&kWithShortNames,
         {"a.csv", "-o", "dir", "-t", "T"},
         {{"--output", "dir"}, {"--title", "T"}},
         {"a.csv"},
         {}},
        {&kWithShortNames, {"--output=d=e"}, {{"--output", "d=e"}}, {}, {}},
        {&kWithShortNames,
         {"--output", "--annotate"},
         {{"--output", "--annotate"}},
         {},
         {}}, // the next one is the value
        {&kWithShortNames,
         {"--annotate", "--", "--output", "-o"},
         {{"--annotate", ""}},
         {"--output", "-o"},
         {}},
        {&kWithShortNames, {"-", "-o", "x"}, {{"--output", "x"}}, {"-"}, {}},
        {&kWithShortNames, {"--title", "", "-t="}, {{"--title", ""}}, {}, {{UnknownOption, "-t="}}},
        {&kWithShortNames, {"--title="}, {{"--title", ""}}, {}, {}},
        {&kWithShortNames, {"-x"}, {}, {}, {{UnknownOption, "-x"}}},
        {&kLongNamesOnly, {"-x", "--help"}, {{"--help", ""}}, {"-x"}, {}},
        {&kLongNamesOnly, {"a", "--verbose", "b"}, {}, {"a"}, {{UnknownOption, "--verbose"}}},
        {&kLongNamesOnly, {"--help=1"}, {}, {}, {{UnknownOption, "--help=1"}}},
        {&kLongNamesOnly, {"--help", "--encoding"}, {{"--help", ""}}, {}, {{MissingValue, "--encoding"}}},
        {&kLongNamesOnly, {"--encoding="}, {}, {}, {{MissingValue, "--encoding="}}},
        {&kWithShortNames, {"-o", "", "--verbose"}, {}, {}, {{MissingValue, "-o"}}},
        {&kWithShortNames, {"--verbose", "--output"}, {}, {}, {{UnknownOption, "--verbose"}}},
        {&kLongNamesOnly, {}, {}, {}, {}},
    };
    for (const auto& [definitions, arguments, options, words, problem] : cases) {
        SCOPED_TRACE(testing::PrintToString(arguments));
        const ParsedArguments parsed = parseArguments(arguments, *definitions);
        Options taken;
        for (const ParsedOption& option : parsed.options)
            taken.emplace_back(option.name, option.value);
        EXPECT_EQ(taken, options);
        EXPECT_EQ(parsed.words, words);
        EXPECT_EQ(parsed.error ? Problem(std::pair(parsed.error->kind, parsed.error->option)) : std::nullopt,
                  problem);
    }
}

} // namespace
