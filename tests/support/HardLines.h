#pragma once
// Data files with every kind of line a reader can meet, for tests that hold
// a quick reading to the general one: plain values and almost plain ones,
// exponents, huge and tiny values, blanks, empty and missing fields, quoted
// fields, NUL bytes, Shift_JIS text, pattern lines, long lines, and LF,
// CR LF and lone CR line ends.

#include <random>
#include <string>
#include <vector>

inline std::string hardLine(std::mt19937& random) {
    static const std::vector<std::string> kOddities = {
        "",
        "   ",
        "\t",
        "5.",
        ".5",
        "+.5",
        "-0",
        "+0.000",
        "00012.50",
        "1e5",
        "1E-400",
        "1e400",
        "-1.5e+3",
        "nan",
        "inf",
        "0x1F",
        "1,234.5",
        "１２",
        "abc",
        "1 2",
        " 7 ",
        "\"3.25\"",
        "\"1,5\"",
        "\"a\"\"b\"",
        "\"4\"x",
        "\"5",
        std::string("1\0"
                    "2",
                    3),
        "\x93\xfa\x96\x7b",
        "12345678",
        "123456789",
        "1234567.8",
        "12345678.9",
        "0.12345678",
        "1.123456789",
        "999999999999999",
        "9999999999999999",
        "123456789012345678901234567890",
        "0.000000000000000000000000001",
        "179769313486231570000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "0000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000"
        "000"
        "0000000000",
        "time=12.5 ms",
        "time=x ms",
        "-.",
        "+",
        "-",
        ".",
        "1..2",
        "1.2.3",
        "--1",
        "1-"};
    std::uniform_int_distribution<int> pick(0, 99);
    const auto number = [&] {
        std::string text = std::to_string(random() % 100000);
        if (pick(random) < 70)
            text += "." + std::to_string(random() % 1000);
        if (pick(random) < 20)
            text.insert(0, pick(random) < 50 ? "-" : "+");
        return text;
    };
    const auto field = [&] { return pick(random) < 60 ? number() : kOddities[random() % kOddities.size()]; };
    static const char kDelimiters[] = {',', ',', ',', ' ', '\t', ';', ':'};
    std::string line = field();
    const int fields = pick(random) % 4;
    for (int i = 0; i < fields; ++i) {
        line += kDelimiters[random() % sizeof kDelimiters];
        if (pick(random) < 10)
            line += kDelimiters[random() % sizeof kDelimiters]; // a run, or an empty field
        line += field();
    }
    if (pick(random) == 0)
        line += std::string(random() % 70000, "x, 1"[random() % 4]); // long
    return line;
}

// `count` hard lines with random line ends; sometimes a UTF-8 byte-order
// mark first, sometimes no line end after the last line.
inline std::string hardLines(std::mt19937& random, int count) {
    static const char* const kEnds[] = {"\n", "\n", "\r\n", "\r"};
    std::string text = random() % 8 == 0 ? "\xEF\xBB\xBF" : "";
    for (int i = 0; i < count; ++i) {
        text += hardLine(random);
        if (i + 1 < count || random() % 2 == 0)
            text += kEnds[random() % 4];
    }
    return text;
}
