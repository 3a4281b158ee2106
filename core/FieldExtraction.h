#pragma once
// Splitting a data line into fields at the configured delimiter.
//
// Works on bytes: the delimiters are ASCII characters below 0x40, which never
// occur inside a multi-byte character of the encodings we accept.

#include <optional>
#include <string>
#include <string_view>

struct MonitorState;

// The five delimiter names the settings offer, in the order they are offered.
inline constexpr std::string_view kDelimiterNames[] = {"カンマ", "スペース", "タブ", "コロン", "セミコロン"};

// How a line is split: the delimiter (none for an unknown name, which makes
// the whole line field 1) and whether a run of delimiters counts as one.
struct FieldRule {
    std::optional<char> delimiter;
    bool skipRuns = false;
};

// The delimiter character for one of the five names; nothing for any other name.
std::optional<char> delimiterFor(std::string_view strDelimit);

inline FieldRule fieldRuleFor(std::string_view strDelimit, bool blnDelimitSkip) {
    return FieldRule{delimiterFor(strDelimit), blnDelimitSkip};
}

// Field number intGetNum (1-based, at most 256 fields are examined) of strLine.
// True when the field exists; strGet then views it inside strLine, untrimmed.
// Without skipRuns two adjacent delimiters enclose an empty field and a
// delimiter at the end of the line opens no further field; with skipRuns
// leading, trailing and repeated delimiters are passed over. An empty line has
// no field 1.
bool GetColDat(std::string_view strLine, int intGetNum, std::string_view& strGet, const FieldRule& rule);

// The same with the delimiter settings in force.
bool GetColDat(const MonitorState& state, std::string_view strLine, int intGetNum, std::string_view& strGet);
