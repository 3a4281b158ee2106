#include "text/FieldExtraction.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <tuple>

namespace {

using namespace std::string_literals;

std::optional<std::string> field(std::string_view line, std::string_view delimiter, bool skip, int n) {
    const auto got = extractField(line, n, fieldRuleFor(delimiter, skip));
    if (!got)
        return std::nullopt;
    return std::string(*got);
}

TEST(ExtractField, SplitsAtTheNamedDelimiter) {
    const std::optional<std::string> none;
    // Fields are not trimmed, an empty field is a field, an unknown delimiter
    // name gives the whole line, and a Shift_JIS trail byte 0x5C is no "\\".
    const std::tuple<std::string, std::string_view, bool, int, std::optional<std::string>> cases[] = {
        {"12,34,56", "カンマ", false, 3, "56"},
        {"12,34,56", "カンマ", false, 4, none},
        {"12  34", "スペース", false, 2, ""},
        {"12  34", "スペース", true, 2, "34"},
        {"1\t2", "タブ", false, 2, "2"},
        {"1:2", "コロン", false, 2, "2"},
        {"1;2", "セミコロン", false, 2, "2"},
        {",a", "カンマ", false, 1, ""},
        {"a,b,", "カンマ", false, 3, none},
        {",,5,,7,,", "カンマ", true, 2, "7"},
        {",,5,,7,,", "カンマ", true, 3, none},
        {"", "カンマ", false, 1, none},
        {"12,34\r\n", "カンマ", false, 2, "34\r\n"},
        {"1,2", "カンマ", false, 0, none},
        {"a,b", "ｶﾝﾏ", false, 1, "a,b"},
        {"a,b", "ｶﾝﾏ", false, 2, none},
        {"\x95\x5c,12", "カンマ", false, 1, "\x95\x5c"},
        {"a\0b,5"s, "カンマ", false, 1, "a\0b"s}};
    for (const auto& [line, delimiter, skip, n, expected] : cases)
        EXPECT_EQ(field(line, delimiter, skip, n), expected)
            << '"' << line << "\" " << delimiter << " skip=" << skip << " n=" << n;
}

TEST(ExtractField, ExaminesAtMost256FieldsOfLinesOfAnyLength) {
    std::string line;
    for (int i = 1; i <= 300; ++i)
        line += std::to_string(i) + ",";
    EXPECT_EQ(field(line, "カンマ", false, 256), "256");
    EXPECT_EQ(field(line, "カンマ", false, 257), std::nullopt);
    EXPECT_EQ(field(std::string(100'000, 'x') + ",7", "カンマ", false, 2), "7");
    EXPECT_EQ(field(std::string(70'000, ',') + "9", "カンマ", true, 1), "9");
}

// The search runs eight bytes at a time; any line and start must give what
// the rule written the slow way gives.
TEST(ExtractField, AgreesWithTheRuleOnRandomLines) {
    const auto slowField = [](const std::string& line, int n, bool skip) -> std::optional<std::string> {
        std::size_t i = 0;
        for (int k = 1; k <= 256;) {
            std::size_t p = line.find(',', i);
            if (skip && p == i) {
                ++i;
                continue;
            }
            if (p == std::string::npos) {
                if (line.size() <= i)
                    return std::nullopt;
                p = line.size();
            }
            if (k == n)
                return line.substr(i, p - i);
            ++k;
            i = p + 1;
        }
        return std::nullopt;
    };
    std::mt19937 random(9);
    const char alphabet[] = {',', ',', '+', '-', '1', '\x01', '\xac', ' '};
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 70, ' ');
        for (char& c : line)
            c = alphabet[random() % sizeof alphabet];
        for (bool skip : {false, true})
            for (int n = 1; n <= 6; ++n)
                ASSERT_EQ(field(line, "カンマ", skip, n), slowField(line, n, skip))
                    << testing::PrintToString(line) << " n=" << n << " skip=" << skip;
    }
}

} // namespace
