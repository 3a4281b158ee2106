#pragma once
// Splitting a data line into fields at the configured delimiter, with the
// quoted fields that spreadsheets write.
//
// Works on bytes: the delimiters are ASCII characters below 0x40, which never
// occur inside a multi-byte character of the encodings we accept.

#include <optional>
#include <string>
#include <string_view>

// The five delimiter names the settings offer, in the order they are offered.
inline constexpr std::string_view kDelimiterNames[] = {"カンマ", "スペース", "タブ", "コロン", "セミコロン"};

// How a line is split: the delimiter (none for an unknown name, which makes
// the whole line field 1) and whether a run of delimiters counts as one.
struct FieldRule {
    std::optional<char> delimiter;
    bool skipRuns = false;
};

// The delimiter character for one of the five names; nothing for any other name.
std::optional<char> delimiterFor(std::string_view delimiterName);

inline FieldRule fieldRuleFor(std::string_view delimiterName, bool skipDelimiterRuns) {
    return FieldRule{delimiterFor(delimiterName), skipDelimiterRuns};
}

// The most fields a line is examined for.
inline constexpr int kMaxFields = 256;

// Field `fieldNumber` (1-based, at most kMaxFields fields are examined) of
// `line`, viewed inside it untrimmed; nothing when the line has no such
// field. Without skipRuns two adjacent delimiters enclose an empty field and
// a delimiter at the end of the line opens no further field; with skipRuns
// leading, trailing and repeated delimiters are passed over. An empty line
// has no field 1.
//
// A well-formed quoted field runs to its closing quote, delimiters inside it
// included, and the view holds what lies between its quotes. It opens with a
// '"' where the field starts (after any delimiters passed over); inside, a
// doubled quote stands for one, and the view still holds both (a number
// never holds a quote); its closing quote is followed by the delimiter, the
// end of the line, or nothing but CR and LF (the live path reads lines with
// their line end). Any other field, an unterminated quote or one with text
// after its closing quote among them, splits exactly as if quotes were
// ordinary bytes.
std::optional<std::string_view> extractField(std::string_view line, int fieldNumber, const FieldRule& rule);

// Field `fieldNumber` of a line of which only `lineStart` was read, as
// extractField gives it of the whole line; nothing where what follows could
// change it: the field runs to the end of `lineStart`, or a quoted field at
// or before it is still open there or closes at its end.
std::optional<std::string_view> extractFieldOfCutLine(std::string_view lineStart, int fieldNumber,
                                                      const FieldRule& rule);
