#include "text/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>

namespace {

TEST(DecimalText, WritesFifteenSignificantDigitsLikeG) {
    const std::pair<double, const char*> cases[] = {
        {-0.0, "0"},     {-37.2, "-37.2"},   {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"},
        {1e15, "1E+15"}, {0.0001, "0.0001"}, {1e-5, "1E-05"},    {-1.5e-7, "-1.5E-07"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(decimalText(value), text) << value;
}

// Rounded to 15 digits, the largest doubles would pass the largest double;
// their text and their rounding stay within the range instead.
TEST(DecimalText, StaysWithinTheDoubleRangeAtItsTop) {
    constexpr double kMax = std::numeric_limits<double>::max();
    for (const double v : {kMax, -kMax, std::nextafter(kMax, 0.0)}) {
        const std::string text = decimalText(v);
        EXPECT_EQ(text, v > 0 ? "1.79769313486231E+308" : "-1.79769313486231E+308");
        EXPECT_EQ(numericValue(text), 1.79769313486231e308 * (v > 0 ? 1 : -1)) << text;
        EXPECT_EQ(roundDecimalText(v, 2), *numericValue(text)) << text;
    }
    EXPECT_EQ(decimalText(1.7976931348623e308), "1.7976931348623E+308");
}

TEST(RoundDecimalText, RoundsTheFifteenDigitTextHalvesToEven) {
    // -0.17499999999999993 is -0.175 in text, a half, and 8 is even; 1.005 is
    // 1.00499.. in binary but 1.005 in text, and 0 is even.
    const std::tuple<double, int, double> cases[] = {
        {1.005, 2, 1.0}, {0.125, 2, 0.12}, {0.135, 2, 0.14}, {99.995, 2, 100.0}, {2.5, 0, 2.0},
        {-2.5, 0, -2.0}, {-2.51, 0, -3.0}, {1e20, 2, 1e20},  {1e-20, 2, 0.0},    {-0.175, 2, -0.18}};
    EXPECT_EQ(roundDecimalText(-0.17499999999999993, 2), -0.18);
    for (const auto& [value, decimals, expected] : cases)
        EXPECT_EQ(roundDecimalText(value, decimals), expected) << value << " to " << decimals;
    EXPECT_FALSE(std::signbit(roundDecimalText(-0.001, 2))) << "no negative zero";
}

TEST(NumericValue, FollowsTheNumberGrammar) {
    const std::pair<const char*, double> numeric[] = {
        {" 12 ", 12},   {"\t-1.5e3\r\n", -1500},
        {"+.5", 0.5},   {"1E+02", 100},
        {"1e-400", 0},  {"5.", 5},
        {"-5.e1", -50}, {"12345678901234567890.", 12345678901234567890.0}};
    for (const auto& [field, value] : numeric)
        EXPECT_EQ(numericValue(field), value) << '"' << field << '"';
    for (const char* field : {".", "+.", ".e1", "", " \r\n", "1,000", "1E400", "nan", "inf", "0x10", "1 2",
                              "1e+", "1.2.3", "++1", "\xef\xbc\x91" /* a full-width digit */})
        EXPECT_FALSE(isNumeric(field)) << '"' << field << '"';
}

// Short decimals take a quicker path than long ones; both must give the
// correctly rounded double.
TEST(NumericValue, ReadsEveryDecimalExactly) {
    std::mt19937 random(5);
    for (int i = 0; i < 20000; ++i) {
        std::string text = (random() % 4 == 0) ? "-" : "";
        const int digits = 1 + static_cast<int>(random() % 20);
        const int point = static_cast<int>(random() % (digits + 1));
        for (int d = 0; d < digits; ++d) {
            if (d == point && d > 0)
                text += '.';
            text += static_cast<char>('0' + random() % 10);
        }
        if (random() % 3 == 0)
            text += "e" + std::to_string(static_cast<int>(random() % 60) - 30);
        double expected = 0;
        std::from_chars(text.data() + (text[0] == '-'), text.data() + text.size(), expected);
        if (text[0] == '-')
            expected = -expected;
        const auto value = numericValue(text);
        ASSERT_TRUE(value.has_value()) << text;
        EXPECT_EQ(*value, expected) << text;
    }
}

TEST(IntegerConversion, RoundsHalvesToEvenAndRefusesOverflow) {
    // The ends of int's range: halves beyond them round out of it.
    constexpr int kMin = std::numeric_limits<int>::min(), kMax = std::numeric_limits<int>::max();
    const std::pair<double, std::optional<int>> cases[] = {{2.5, 2},           {3.5, 4},         {-2.5, -2},
                                                           {kMin - 0.5, kMin}, {kMin - 1.0, {}}, {kMax, kMax},
                                                           {kMax + 0.5, {}},   {NAN, {}}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(toInt(value), expected) << value;
    const std::pair<const char*, std::optional<int>> texts[] = {
        {" 12.5 ", 12}, {"40000", 40000}, {"-1e3", -1000}, {"3e9", {}}, {"abc", {}}, {"", {}}};
    for (const auto& [text, expected] : texts)
        EXPECT_EQ(textToInt(text), expected) << '"' << text << '"';
}

// Qt sets the process locale from the environment; a comma-decimal locale must
// change nothing.
TEST(NumberText, IgnoresACommaDecimalLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    const char* found = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
        if ((found = std::setlocale(LC_ALL, name)))
            break;
    if (!found)
        GTEST_SKIP() << "no comma-decimal locale installed";
    EXPECT_EQ(decimalText(-1234.25), "-1234.25");
    EXPECT_EQ(numericValue("1,5"), std::nullopt);
    EXPECT_EQ(roundDecimalText(0.125, 2), 0.12);
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
