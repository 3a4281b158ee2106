#pragma once
// The replay's label texts. Nothing sees a label between two event runs, so
// the texts are only built and shown when events are about to run, at a
// pause, and at the end; a full-speed replay builds a few dozen per second
// instead of one per line.

#include "base/Error.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

struct MonitorContext;
class TextDecoder;

// A field's text as far as it can show, kept without allocating for the
// usual short field: it is copied once per line.
class FieldText {
public:
    void assign(std::string_view text) {
        if (text.size() <= sizeof m_inline) {
            std::memcpy(m_inline, text.data(), text.size());
            m_view = std::string_view(m_inline, text.size());
        } else {
            assignLong(text);
        }
    }
    std::string_view view() const { return m_view; }

private:
    void assignLong(std::string_view text);

    char m_inline[64];
    std::string m_long;
    std::string_view m_view;
};

class ReplayLabels {
public:
    explicit ReplayLabels(MonitorContext& context);

    // The decoder that shows the texts of the lines; the data file's by default.
    void setTextDecoder(const TextDecoder& decoder) { m_decoder = &decoder; }

    // The status line's text.
    void status(std::string text);
    // The status line says which line is being shown.
    void reading(std::int64_t lineNumber) {
        m_readingLine = lineNumber;
        m_statusPending = true;
    }
    // The "Now: " label's field text, kept as it is now: a later line must
    // not show through a label that is only drawn when events run.
    void now(std::string_view fieldText) {
        m_now.assign(fieldText);
        m_nowPending = true;
    }
    // The error label: line `row` is not numeric, with its field.
    void notNumeric(std::int64_t row, std::string_view field);
    // A numeric line: the error label goes.
    void numeric() {
        if (errorShown())
            hideError();
    }
    // Whether the error label shows, or is about to.
    bool errorShown() const { return m_errorVisible || m_errorPending; }
    // The error label shows the error that ended the replay.
    void failed(const Error& error);

    // Shows what changed since the last flush.
    void flush();
    // What others did to the labels while events ran.
    void resync();

private:
    void hideError();

    // What the error label shows.
    enum class ErrorLabel { Hidden, NotNumeric, Failure };

    MonitorContext& m_context;
    const TextDecoder* m_decoder;
    std::string m_status;
    std::int64_t m_readingLine = 0; // 0: the status text is shown instead
    bool m_statusPending = false;
    FieldText m_now;
    bool m_nowPending = false;
    ErrorLabel m_error = ErrorLabel::Hidden;
    std::int64_t m_errorRow = 0;
    std::string m_errorText; // the field that is not numeric, or the failure's text
    bool m_errorPending = false;
    bool m_errorVisible = false;
};
