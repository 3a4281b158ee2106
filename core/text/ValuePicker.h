#pragma once
// Where a data line's value text lies: the chosen field at the delimiter, or
// what a pattern picks out of the line decoded to UTF-8.

#include "text/FieldExtraction.h"
#include "text/TextDecoder.h"

#include <string>
#include <string_view>

class LinePattern;

class ValuePicker {
public:
    // `pattern`, when given, takes the place of the delimiter and field; it
    // and `decoder` must outlive the picker.
    ValuePicker(const FieldRule& rule, const LinePattern* pattern, const TextDecoder& decoder)
        : m_rule(rule), m_pattern(pattern), m_decoder(decoder) {}

    enum class Found {
        Text,    // the value's text, numeric or not
        NoField, // the line has no such field
        NoMatch, // the pattern does not match: no data line
    };
    struct Picked {
        Found found = Found::NoField;
        std::string_view text; // valid until the next pick
    };

    // The value text of `line` (its line end, if any, is no part of it), field
    // `column` or the pattern's. A line read only in part (`cut`) gives no text
    // that reaches the end of what was read, since it may go on beyond it.
    // The field's path is inline: a replay takes it for every line.
    Picked pick(std::string_view line, int column, bool cut = false) {
        if (m_pattern) [[unlikely]]
            return pickMatch(line, cut);
        // Of a line read only in part, a field that what was not read could
        // change has no value.
        const auto field =
            cut ? extractFieldOfCutLine(line, column, m_rule) : extractField(line, column, m_rule);
        if (!field)
            return {Found::NoField, {}};
        // Taken apart: the view was just stored in two halves, and reading
        // it back whole would wait for both stores.
        const char* data = field->data();
        const std::size_t size = field->size();
        return {Found::Text, std::string_view(data, size)};
    }

    bool usesPattern() const { return m_pattern != nullptr; }
    // The delimiter and field rule, where no pattern takes their place.
    const FieldRule& rule() const { return m_rule; }
    // The decoder that shows a picked text: a pattern's texts are UTF-8
    // already, a field's are the file's bytes.
    const TextDecoder& shownTextDecoder() const;

private:
    Picked pickMatch(std::string_view line, bool cut);

    FieldRule m_rule;
    const LinePattern* m_pattern;
    const TextDecoder& m_decoder;
    std::string m_decoded; // the line as UTF-8, where the file's encoding is another
};
