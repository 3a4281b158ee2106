#include "text/LinePattern.h"

#include "text/TextCodec.h"
#include "text/ValuePicker.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>

namespace {

using namespace std::string_literals;

LinePattern compiled(const std::string& pattern) {
    auto result = LinePattern::compile(pattern);
    EXPECT_TRUE(result) << pattern << ": " << result.error().message;
    return std::move(*result);
}

// The value is the first group when there is one, the whole match otherwise;
// a line without a match, or whose first group took no part, gives none.
TEST(LinePattern, TakesTheFirstGroupOrTheWholeMatch) {
    const std::tuple<const char*, std::string, std::optional<std::string>> cases[] = {
        {"time=([0-9.]+)", "64 bytes: icmp_seq=1 ttl=64 time=0.045 ms", "0.045"},
        {"[0-9]+\\.[0-9]+", "INFO temp=21.5 ok", "21.5"},
        {"temp=([0-9.]+)", "WARN disk full", std::nullopt},
        {"(a)?b", "xb", std::nullopt}, // the group took no part
        {"(?:x|(y))=([0-9]+)", "x=5", std::nullopt},
        {"v=\\K[0-9]+", "v=42", "42"},
        {"^$", "", ""},
        {"温度=([0-9.]+)", "温度=21.5", "21.5"},
        // Bytes that are not UTF-8 match no character, and do no harm.
        {"=([0-9]+)", "\xFF\xFE=7\xC0", "7"},
        {"(.)", "\xFF\xFE", std::nullopt},
        {"x([0-9]+)", "x1\0x2"s, "1"},
    };
    for (const auto& [pattern, line, expected] : cases) {
        const LinePattern compiledPattern = compiled(pattern);
        const auto match = compiledPattern.find(line);
        ASSERT_EQ(match.has_value(), expected.has_value()) << pattern << " on " << line;
        if (match) {
            EXPECT_EQ(match->value, *expected) << pattern;
        }
    }
}

TEST(LinePattern, RefusesAnInvalidPatternWithPcre2sMessageAndOffset) {
    for (const auto& [pattern, offset] :
         {std::pair{"time=([0-9.", "11"}, {"(a", "2"}, {"a)", "1"}, {"*", "0"}}) {
        const auto result = LinePattern::compile(pattern);
        ASSERT_FALSE(result) << pattern;
        EXPECT_EQ(result.error().code, kErrInvalidPattern);
        EXPECT_EQ(result.error().field, SettingField::Pattern);
        EXPECT_NE(result.error().message.find("(offset " + std::string(offset) + ")"), std::string::npos)
            << result.error().message;
    }
}

// A pattern that backtracks without end gives up instead of freezing a tick.
TEST(LinePattern, GivesUpOnRunawayBacktracking) {
    const LinePattern runaway = compiled("(a+)+$");
    EXPECT_FALSE(runaway.find(std::string(5000, 'a') + "!"));
    EXPECT_TRUE(runaway.find("aaa"));
}

TEST(ValuePicker, PicksByPatternInTheFilesEncoding) {
    auto shiftJis = makeTextDecoder("Shift_JIS");
    ASSERT_TRUE(shiftJis) << shiftJis.error().message;
    const LinePattern pattern = compiled("温度=([0-9.]+)");
    ValuePicker picker(FieldRule{}, &pattern, **shiftJis);
    const auto picked = picker.pick("\x89\xb7\x93x=21.5\r\n", 1);
    EXPECT_EQ(picked.found, ValuePicker::Found::Text);
    EXPECT_EQ(picked.text, "21.5");
    EXPECT_TRUE(picker.shownTextDecoder().isUtf8()) << "a pattern's text is UTF-8 already";

    Utf8Decoder utf8;
    ValuePicker onBytes(FieldRule{}, &pattern, utf8);
    EXPECT_EQ(onBytes.pick("\x89\xb7\x93x=21.5", 1).found, ValuePicker::Found::NoMatch)
        << "Shift_JIS read as UTF-8 has no 温度";
}

// A line read only in part gives nothing that reaches the end of the part:
// the real line may go on beyond it.
TEST(ValuePicker, TakesNothingThatReachesTheCutOfALineReadInPart) {
    Utf8Decoder utf8;
    const LinePattern pattern = compiled("v=([0-9]+)");
    ValuePicker byPattern(FieldRule{}, &pattern, utf8);
    ValuePicker byField(FieldRule{',', false}, nullptr, utf8);
    const std::tuple<ValuePicker*, const char*, int, bool, ValuePicker::Found, const char*> cases[] = {
        {&byPattern, "v=12 w", 1, true, ValuePicker::Found::Text, "12"},
        {&byPattern, "x v=12", 1, true, ValuePicker::Found::NoMatch, ""},
        {&byPattern, "x v=12\r\n", 1, false, ValuePicker::Found::Text, "12"},
        {&byPattern, "nothing", 1, false, ValuePicker::Found::NoMatch, ""},
        {&byField, "1,2", 1, true, ValuePicker::Found::Text, "1"},
        {&byField, "1,2", 2, true, ValuePicker::Found::NoField, ""},
        {&byField, "1,2", 3, false, ValuePicker::Found::NoField, ""},
    };
    for (const auto& [picker, line, column, cut, found, text] : cases) {
        const auto picked = picker->pick(line, column, cut);
        EXPECT_EQ(picked.found, found) << line << " cut " << cut;
        EXPECT_EQ(picked.text, text) << line;
    }
}

} // namespace
