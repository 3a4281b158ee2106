#include "core/FieldExtraction.h"

#include "core/MonitorState.h"

std::optional<char> delimiterFor(std::string_view strDelimit) {
    static constexpr char kCharacters[] = {',', ' ', '\t', ':', ';'};
    for (std::size_t i = 0; i < std::size(kDelimiterNames); ++i)
        if (strDelimit == kDelimiterNames[i])
            return kCharacters[i];
    return std::nullopt;
}

bool GetColDat(std::string_view strLine, int intGetNum, std::string_view& strGet, const FieldRule& rule) {
    constexpr int kMaxFields = 256;
    if (intGetNum < 1 || intGetNum > kMaxFields)
        return false;
    const std::size_t length = strLine.size();
    std::size_t scan = 0; // 0-based scan position
    for (int field = 1; field <= kMaxFields;) {
        std::size_t found = rule.delimiter ? strLine.find(*rule.delimiter, scan) : std::string_view::npos;
        if (rule.skipRuns && found == scan) {
            ++scan;
            continue;
        }
        if (found == std::string_view::npos) {
            if (scan >= length)
                return false;
            found = length;
        }
        if (field == intGetNum) {
            strGet = strLine.substr(scan, found - scan);
            return true;
        }
        ++field;
        scan = found + 1;
    }
    return false;
}

bool GetColDat(const MonitorState& state, std::string_view strLine, int intGetNum, std::string_view& strGet) {
    return GetColDat(strLine, intGetNum, strGet, fieldRuleFor(state.strDelimit, state.blnDelimitSkip));
}
