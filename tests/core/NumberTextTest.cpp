#include "core/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

TEST(DecimalText, WritesFifteenSignificantDigitsLikeG) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-37.2, "-37.2"},
        {0.345, "0.345"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {2e300, "2E+300"},
        {0.0001, "0.0001"},
        {1e-5, "1E-05"},
        {-1.5e-7, "-1.5E-07"},
        {1234.5, "1234.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decimalText(c.value), c.text) << c.value;
}

TEST(RoundDecimalText, RoundsTheFifteenDigitTextHalvesToEven) {
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {-0.17499999999999993, 2, -0.18}, // text -0.175, a half, 7 is odd
        {0.125, 2, 0.12},
        {0.135, 2, 0.14},
        {1.005, 2, 1.0}, // binary 1.00499.., text 1.005, 0 is even
        {12.345, 2, 12.34},
        {99.995, 2, 100.0},
        {0.005, 2, 0.0},
        {0.015, 2, 0.02},
        {0.0049, 2, 0.0},
        {37.2, 2, 37.2},
        {0.1 + 0.2, 2, 0.3},
        {2.5, 0, 2.0},
        {3.5, 0, 4.0},
        {-2.5, 0, -2.0},
        {-2.51, 0, -3.0},
        {50.5, 0, 50.0},
        {1e20, 2, 1e20},
        {1e-20, 2, 0.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundDecimalText(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
    EXPECT_FALSE(std::signbit(roundDecimalText(-0.001, 2))) << "no negative zero";
}

TEST(NumericValue, FollowsTheNumberGrammar) {
    const struct {
        const char* field;
        std::optional<double> value;
    } cases[] = {
        {"12", 12.0},
        {" 12 ", 12.0},
        {"34\r\n", 34.0},
        {"\t-1.5e3\r\n", -1500.0},
        {"+.5", 0.5},
        {".5", 0.5},
        {"1E+02", 100.0},
        {"-0", 0.0},
        {"1e-400", 0.0}, // too small for a double: 0
        {"5.", std::nullopt},
        {".", std::nullopt},
        {"", std::nullopt},
        {" \r\n", std::nullopt},
        {"-", std::nullopt},
        {"1,000", std::nullopt},
        {"1E400", std::nullopt},
        {"-1e99999999999999999999", std::nullopt},
        {"nan", std::nullopt},
        {"inf", std::nullopt},
        {"0x10", std::nullopt},
        {"\xef\xbc\x91\xef\xbc\x92", std::nullopt}, // full-width digits
        {"1 2", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"12a", std::nullopt},
        {"1.2.3", std::nullopt},
        {"++1", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numericValue(c.field), c.value) << '"' << c.field << '"';
        EXPECT_EQ(isNumeric(c.field), c.value.has_value()) << '"' << c.field << '"';
    }
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

TEST(LeadingValue, ReadsTheNumberAtTheStart) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},           {"abc", 0}, {"-", 0},         {".", 0},       {"1-2", 1},       {"1.2.3", 1.2},
        {"  -3.5x", -3.5}, {"5.", 5},  {".5", 0.5},      {"1e3", 1000},  {"1e", 1},        {"-.5e1", -5},
        {"+7", 7},         {"00", 0},  {"65536", 65536}, {"1e400", inf}, {"-1e400", -inf}, {"1e-400", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(IntegerConversion, RoundsHalvesToEvenAndRefusesOverflow) {
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
    EXPECT_EQ(toInt16(-2.5), -2);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(32767.5), std::nullopt);
    EXPECT_EQ(toInt16(-32768.5), -32768);
    EXPECT_EQ(toInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(2147483648.0), std::nullopt);

    EXPECT_EQ(textToInt32("12.5"), 12);
    EXPECT_EQ(textToInt32(" 7 "), 7);
    EXPECT_EQ(textToInt32("abc"), std::nullopt);
    EXPECT_EQ(textToInt32(""), std::nullopt);
    EXPECT_EQ(textToInt32("3000000000"), std::nullopt);
    EXPECT_EQ(textToInt16("40000"), std::nullopt);
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
    EXPECT_EQ(decimalText(1.5), "1.5");
    EXPECT_EQ(decimalText(-1234.25), "-1234.25");
    EXPECT_EQ(numericValue("1.5"), 1.5);
    EXPECT_EQ(numericValue("1,5"), std::nullopt);
    EXPECT_EQ(leadingValue("2.25"), 2.25);
    EXPECT_EQ(roundDecimalText(0.125, 2), 0.12);
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
