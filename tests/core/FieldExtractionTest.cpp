#include "core/FieldExtraction.h"
#include "core/MonitorState.h"

#include <gtest/gtest.h>

namespace {

std::optional<std::string> field(std::string_view line, std::string_view delimiter, bool skip, int n) {
    std::string_view got;
    if (!GetColDat(line, n, got, fieldRuleFor(delimiter, skip)))
        return std::nullopt;
    return std::string(got);
}

TEST(GetColDat, SplitsAtTheNamedDelimiter) {
    const std::optional<std::string> none;
    const struct {
        std::string_view line;
        std::string_view delimiter;
        bool skip;
        int n;
        std::optional<std::string> expected;
    } cases[] = {
        {"12,34,56", "カンマ", false, 2, "34"},
        {"12,34,56", "カンマ", false, 3, "56"},
        {"12,34,56", "カンマ", false, 4, none},
        {"12  34", "スペース", false, 2, ""},
        {"12  34", "スペース", false, 3, "34"},
        {"12  34", "スペース", true, 2, "34"},
        {"1\t2", "タブ", false, 2, "2"},
        {"1:2", "コロン", false, 2, "2"},
        {"1;2", "セミコロン", false, 2, "2"},
        {"a,,b", "カンマ", false, 2, ""},
        {"a,,b", "カンマ", false, 3, "b"},
        {",a", "カンマ", false, 1, ""},
        {"a,b,", "カンマ", false, 3, none},
        {",,5,,7,,", "カンマ", true, 1, "5"},
        {",,5,,7,,", "カンマ", true, 2, "7"},
        {",,5,,7,,", "カンマ", true, 3, none},
        {",,,", "カンマ", true, 1, none},
        {"", "カンマ", false, 1, none},
        {"", "カンマ", true, 1, none},
        {"12,34\r\n", "カンマ", false, 2, "34\r\n"}, // fields are not trimmed
        {"1,2", "カンマ", false, 0, none},
        {"1,2", "カンマ", false, -1, none},
        {"a,b", "comma", false, 1, "a,b"}, // unknown name: the whole line
        {"a,b", "comma", false, 2, none},
        {"", "", false, 1, none},
        {"a,b", "ｶﾝﾏ", false, 1, "a,b"}, // names compare exactly, width included
        {"温度,12.5", "カンマ", false, 1, "温度"},
        {"\x95\x5c,12", "カンマ", false, 1, "\x95\x5c"}, // Shift_JIS with a 0x5C trail byte
        {"\x95\x5c,12", "カンマ", false, 2, "12"},
        {std::string_view("a\0b,5", 5), "カンマ", false, 1, std::string("a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(field(c.line, c.delimiter, c.skip, c.n), c.expected)
            << '"' << c.line << "\" " << c.delimiter << " skip=" << c.skip << " n=" << c.n;
}

TEST(GetColDat, ExaminesAtMost256Fields) {
    std::string line;
    for (int i = 1; i <= 300; ++i)
        line += std::to_string(i) + ",";
    EXPECT_EQ(field(line, "カンマ", false, 256), "256");
    EXPECT_EQ(field(line, "カンマ", false, 257), std::nullopt);
}

TEST(GetColDat, ScansLinesOfAnyLength) {
    const std::string line = std::string(100'000, 'x') + ",7";
    EXPECT_EQ(field(line, "カンマ", false, 2), "7");
    EXPECT_EQ(field(std::string(70'000, ',') + "9", "カンマ", true, 1), "9");
}

TEST(GetColDat, UsesTheDelimiterSettingsInForce) {
    MonitorState state;
    state.strDelimit = "スペース";
    state.blnDelimitSkip = true;
    std::string_view got;
    ASSERT_TRUE(GetColDat(state, "  1   2", 2, got));
    EXPECT_EQ(got, "2");
}

} // namespace
