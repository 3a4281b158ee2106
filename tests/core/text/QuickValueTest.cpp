#include "text/QuickValue.h"
#include "text/LineEndSearch.h"
#include "text/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Reads `line` as a block with slack after it, and digits and delimiters
// there, so that a reading past the line's end would show.
std::optional<QuickValue> quick(std::string_view line, int column, char delimiter = ',',
                                bool skipRuns = false) {
    static std::string buffer;
    buffer.assign(line);
    for (std::size_t i = 0; i < kLineEndSearchSlack; ++i)
        buffer += i % 3 == 2 ? delimiter : '7';
    QuickValue value;
    if (!readQuickValue(buffer.data(), buffer.data() + line.size(), column, delimiter, skipRuns, value))
        return std::nullopt;
    return value;
}

// What is plain is read in one pass, to the general reading's field and
// value; everything else is left to the general reading.
TEST(QuickValue, ReadsThePlainFieldAndLeavesTheRest) {
    struct Case {
        std::string_view line;
        int column;
        std::string_view field; // empty: not plain
    };
    const Case cases[] = {
        {"12,3.25", 2, "3.25"},
        {"12,3.25", 1, "12"},
        {"12,-3.25,x", 2, "-3.25"},
        {"+7", 1, "+7"},
        {".5", 1, ".5"},
        {"-.5", 1, "-.5"},
        {"-0", 1, "-0"},
        {"1234567.1234567", 1, "1234567.1234567"},
        {"12345678", 1, "12345678"},
        {"12345678.12345678", 1, ""}, // 16 digits
        {"123456789012345", 1, "123456789012345"},
        {"1234567890123456", 1, ""},
        {"0.00000012345678", 1, "0.00000012345678"},
        {"00000000000000012", 1, ""},
        {"1234567890.12345", 1, "1234567890.12345"},
        {"5.", 1, ""},
        {".", 1, ""},
        {"-", 1, ""},
        {"", 1, ""},
        {"1e5", 1, ""},
        {" 1", 1, ""},
        {"1 ", 1, ""},
        {"\"1\",2", 2, ""},
        {"1,\"2\"", 2, ""},
        {"a\"b,2", 2, "2"},
        {"1,,2", 2, ""},
        {"1,2", 3, ""},
        {"1,2,", 3, ""},
        {"1.2.3", 1, ""},
        {"1..2", 1, ""},
        {"１", 1, ""},
        {"12x", 1, ""},
        {"1,2", 0, ""},
        {"1,2", kMaxFields + 1, ""},
    };
    for (const auto& [line, column, field] : cases) {
        SCOPED_TRACE(std::string(line) + " field " + std::to_string(column));
        const auto read = quick(line, column);
        ASSERT_EQ(read.has_value(), !field.empty());
        if (!read)
            continue;
        EXPECT_EQ(read->field, field);
        EXPECT_EQ(read->value(), numericValue(field));
        EXPECT_EQ(std::signbit(read->value()), std::signbit(*numericValue(field)));
    }
}

TEST(QuickValue, PassesOverRunsOfDelimitersOnlyWhenAskedTo) {
    EXPECT_EQ(quick("  1   2.5 ", 2, ' ', true)->field, "2.5");
    EXPECT_EQ(quick("  1   2.5 ", 1, ' ', true)->field, "1");
    EXPECT_FALSE(quick("1  2", 2, ' ', false)) << "an empty field";
    EXPECT_FALSE(quick("1   ", 2, ' ', true)) << "no second field";
    EXPECT_EQ(quick("1\t2", 2, '\t')->value(), 2.0);
}

} // namespace
