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

// The quoted-field rules, each with the line that breaks it: a field that
// opens with a quote runs to the quote closing it when the field is
// well-formed, and splits as if the quotes were ordinary bytes otherwise.
TEST(ExtractField, AWellFormedQuotedFieldRunsToItsClosingQuote) {
    const std::optional<std::string> none;
    const std::tuple<std::string, std::string_view, bool, int, std::optional<std::string>> cases[] = {
        // The quotes are not part of the value, a delimiter inside does not split.
        {R"("12.5")", "カンマ", false, 1, "12.5"},
        {R"("a,b",13.75)", "カンマ", false, 1, "a,b"},
        {R"("a,b",13.75)", "カンマ", false, 2, "13.75"},
        {R"("2026-01-01 00:00","12.5")", "カンマ", false, 2, "12.5"},
        {R"("",7)", "カンマ", false, 1, ""},
        {R"("",7)", "カンマ", false, 2, "7"},
        {R"(1,"2,3",4)", "カンマ", false, 3, "4"},
        // A doubled quote inside stands for one and stays two bytes in the view.
        {R"("say ""hi"", ok",5)", "カンマ", false, 1, R"(say ""hi"", ok)"},
        {R"("say ""hi"", ok",5)", "カンマ", false, 2, "5"},
        {R"("""",5)", "カンマ", false, 1, R"("")"},
        {R"("a""",5)", "カンマ", false, 1, R"(a"")"},
        // The line end after the closing quote: the live path's CR LF, a lone CR or LF.
        {"1,\"2,3\"\r\n", "カンマ", false, 2, "2,3"},
        {"1,\"2,3\"\r\n", "カンマ", false, 3, none},
        {"\"5\"\n", "カンマ", false, 1, "5"},
        {"\"5\"\r", "カンマ", false, 1, "5"},
        // No further field after the line end or a delimiter ending the line.
        {R"("a,b")", "カンマ", false, 2, none},
        {R"("a,b",)", "カンマ", false, 2, none},
        // Unterminated: split as before.
        {R"("a,b)", "カンマ", false, 1, R"("a)"},
        {R"("a,b)", "カンマ", false, 2, "b"},
        {R"("a"",b)", "カンマ", false, 1, R"("a"")"},
        {R"(""",b)", "カンマ", false, 2, "b"},
        {R"(")", "カンマ", false, 1, R"(")"},
        // Text after the closing quote: split as before, the next field on its own.
        {R"("a,b"x,"5")", "カンマ", false, 1, R"("a)"},
        {R"("a,b"x,"5")", "カンマ", false, 2, R"(b"x)"},
        {R"("a,b"x,"5")", "カンマ", false, 3, "5"},
        {"\"5\" ,6", "カンマ", false, 1, "\"5\" "},
        {"\"5\"\r\nx", "カンマ", false, 1, "\"5\"\r\nx"},
        // A quote that is not the field's first byte is an ordinary byte.
        {R"(x"a,b",5)", "カンマ", false, 2, R"(b")"},
        {R"( "a,b",5)", "カンマ", false, 1, R"( "a)"},
        // Skipping runs: the field starts after the delimiters passed over.
        {R"(  "a b"   "c d"  )", "スペース", true, 1, "a b"},
        {R"(  "a b"   "c d"  )", "スペース", true, 2, "c d"},
        {R"(  "a b"   "c d"  )", "スペース", true, 3, none},
        {R"("a",,,"b")", "カンマ", true, 2, "b"},
        {R"("a b"  5)", "スペース", false, 2, ""},
        {R"("a b"  5)", "スペース", false, 3, "5"},
        // No delimiter: the one field follows the same rule.
        {R"("a,b")", "ｶﾝﾏ", false, 1, "a,b"},
        {"\"a,b\"\r\n", "ｶﾝﾏ", false, 1, "a,b"},
        {R"("a",b)", "ｶﾝﾏ", false, 1, R"("a",b)"},
        // Bytes of other encodings and NUL inside the quotes.
        {"\"\x95\x5c,1\",2", "カンマ", false, 2, "2"},
        {"\"a\0,b\",2"s, "カンマ", false, 1, "a\0,b"s}};
    for (const auto& [line, delimiter, skip, n, expected] : cases)
        EXPECT_EQ(field(line, delimiter, skip, n), expected)
            << testing::PrintToString(line) << " " << delimiter << " skip=" << skip << " n=" << n;
}

TEST(ExtractField, QuotesHoldEveryDelimiter) {
    for (const std::string_view name : kDelimiterNames) {
        const char d = *delimiterFor(name);
        const std::string line = "\"1" + std::string(1, d) + "2\"" + d + "\"3\"" + d + "4";
        SCOPED_TRACE(testing::PrintToString(line));
        EXPECT_EQ(field(line, name, false, 1), "1" + std::string(1, d) + "2");
        EXPECT_EQ(field(line, name, false, 2), "3");
        EXPECT_EQ(field(line, name, false, 3), "4");
        EXPECT_EQ(field(line, name, true, 3), "4");
        // Another delimiter after the closing quote is text after it.
        const char other = d == ',' ? ';' : ',';
        EXPECT_EQ(field("\"5\"" + std::string(1, other) + d + "6", name, false, 2), "6");
        EXPECT_EQ(field("\"5\"" + std::string(1, other) + d + "6", name, false, 1),
                  "\"5\"" + std::string(1, other));
    }
}

TEST(ExtractField, ExaminesAtMost256FieldsOfLinesOfAnyLength) {
    std::string line;
    for (int i = 1; i <= 300; ++i)
        line += std::to_string(i) + ",";
    EXPECT_EQ(field(line, "カンマ", false, 256), "256");
    EXPECT_EQ(field(line, "カンマ", false, 257), std::nullopt);
    EXPECT_EQ(field(std::string(100'000, 'x') + ",7", "カンマ", false, 2), "7");
    EXPECT_EQ(field(std::string(70'000, ',') + "9", "カンマ", true, 1), "9");
    // A quoted field counts once, however many delimiters it holds.
    std::string quoted;
    for (int i = 1; i <= 300; ++i)
        quoted += "\"" + std::to_string(i) + ",x\",";
    EXPECT_EQ(field(quoted, "カンマ", false, 256), "256,x");
    EXPECT_EQ(field(quoted, "カンマ", false, 257), std::nullopt);
    EXPECT_EQ(field("\"" + std::string(100'000, ',') + "\",7", "カンマ", false, 2), "7");
    EXPECT_EQ(field("\"" + std::string(100'000, ',') + "7", "カンマ", false, 100'001), std::nullopt);
    EXPECT_EQ(field("\"" + std::string(100'000, ',') + "7", "カンマ", true, 2), "7");
}

// The search runs eight bytes at a time; any line and start must give what
// the rule written the slow way, one byte at a time, gives.
TEST(ExtractField, AgreesWithTheRuleOnRandomLines) {
    const auto slowField = [](const std::string& line, int n, bool skip) -> std::optional<std::string> {
        std::size_t i = 0;
        for (int k = 1; k <= 256; ++k) {
            while (skip && i < line.size() && line[i] == ',')
                ++i;
            if (i >= line.size())
                return std::nullopt;
            bool quoted = false;
            std::size_t close = i + 1;
            if (line[i] == '"') {
                while (close < line.size() &&
                       !(line[close] == '"' && (close + 1 == line.size() || line[close + 1] != '"')))
                    close += line[close] == '"' ? 2 : 1;
                const std::string rest = close < line.size() ? line.substr(close + 1) : "unterminated";
                quoted = rest.starts_with(',') || rest.find_first_not_of("\r\n") == std::string::npos;
            }
            const std::size_t next = quoted ? close + 1 : std::min(line.find(',', i), line.size());
            if (k == n)
                return quoted ? line.substr(i + 1, close - i - 1) : line.substr(i, next - i);
            if (next >= line.size() || line[next] != ',')
                return std::nullopt;
            i = next + 1;
        }
        return std::nullopt;
    };
    std::mt19937 random(9);
    const char alphabet[] = {',', ',', '+', '-', '1', '\x01', '\xac', ' ', '"', '"', '"', '\r'};
    for (int round = 0; round < 6000; ++round) {
        std::string line(random() % 70, ' ');
        for (char& c : line)
            c = alphabet[random() % sizeof alphabet];
        for (bool skip : {false, true})
            for (int n = 1; n <= 6; ++n)
                ASSERT_EQ(field(line, "カンマ", skip, n), slowField(line, n, skip))
                    << testing::PrintToString(line) << " n=" << n << " skip=" << skip;
    }
}

// Of a line read only in part, a field is given only where the rest of the
// line cannot change it, and then as the whole line gives it.
TEST(ExtractFieldOfCutLine, GivesOnlyFieldsTheRestCannotChange) {
    const auto cut = [](std::string_view start, int n) -> std::optional<std::string> {
        const auto got = extractFieldOfCutLine(start, n, fieldRuleFor("カンマ", false));
        return got ? std::optional<std::string>(*got) : std::nullopt;
    };
    const std::optional<std::string> none;
    const std::tuple<std::string_view, int, std::optional<std::string>> cases[] = {
        {"7,12", 1, "7"},
        {"7,12", 2, none},
        {"7,", 1, "7"},
        {R"("7",12)", 1, "7"},
        {R"(1,"7")", 2, none},
        {R"(1,"7"")", 2, none},
        {R"(1,"7,2)", 2, none},
        {R"(1,"7,2)", 3, none},
        {R"(1,"7""x,2)", 2, none},
        {R"(1,"7"x,2)", 2, R"("7"x)"},
        {R"(1,"7"x,2)", 3, none},
        {R"(1,"",2)", 2, ""}};
    for (const auto& [start, n, expected] : cases)
        EXPECT_EQ(cut(start, n), expected) << start << " n=" << n;

    std::mt19937 random(11);
    const char alphabet[] = {',', '1', '"', '"', 'x'};
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 40, ' ');
        for (char& c : line)
            c = alphabet[random() % sizeof alphabet];
        for (int n = 1; n <= 4; ++n) {
            const auto whole = extractField(line, n, fieldRuleFor("カンマ", false));
            for (std::size_t length = 0; length <= line.size(); ++length) {
                const std::string_view start = std::string_view(line).substr(0, length);
                const auto part = extractFieldOfCutLine(start, n, fieldRuleFor("カンマ", false));
                ASSERT_TRUE(!part ||
                            (whole && part->data() == whole->data() && part->size() == whole->size()))
                    << testing::PrintToString(line) << " cut at " << length << " n=" << n;
                // Without quotes a field ended by a delimiter is always given.
                const auto plain = extractField(start, n, fieldRuleFor("カンマ", false));
                if (start.find('"') == std::string_view::npos && plain && plain->end() != start.end()) {
                    ASSERT_TRUE(part) << testing::PrintToString(start) << " n=" << n;
                }
            }
        }
    }
}

} // namespace
