#pragma once
// Splitting a data line into fields at the configured delimiter.
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
std::optional<std::string_view> extractField(std::string_view line, int fieldNumber, const FieldRule& rule);
