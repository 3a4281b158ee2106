#include "text/ValuePicker.h"

#include "text/LineEnds.h"
#include "text/LinePattern.h"

ValuePicker::Picked ValuePicker::pickMatch(std::string_view line, bool cut) {
    std::string_view subject = withoutLineEnd(line);
    if (!m_decoder.isUtf8()) {
        m_decoded = m_decoder.toUtf8(subject);
        subject = m_decoded;
    }
    const auto match = m_pattern->find(subject);
    if (!match || (cut && match->end == subject.size()))
        return {Found::NoMatch, {}};
    return {Found::Text, match->value};
}

const TextDecoder& ValuePicker::shownTextDecoder() const {
    static const Utf8Decoder utf8;
    return m_pattern ? utf8 : m_decoder;
}
