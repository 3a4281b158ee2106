#include "monitor/ReplayLabels.h"

#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "text/TextDecoder.h"

#include <cstring>

void FieldText::assignLong(std::string_view text) {
    text = text.substr(0, kMaxShownBytes);
    if (text.size() <= sizeof m_inline) {
        std::memcpy(m_inline, text.data(), text.size());
        m_view = std::string_view(m_inline, text.size());
    } else {
        m_long.assign(text);
        m_view = m_long;
    }
}

ReplayLabels::ReplayLabels(MonitorContext& context) : m_context(context), m_decoder(&context.decoder) {}

void ReplayLabels::status(std::string text) {
    m_status = std::move(text);
    m_readingLine = 0;
    m_statusPending = true;
}

void ReplayLabels::notNumeric(std::int64_t row, std::string_view field) {
    m_error = ErrorLabel::NotNumeric;
    m_errorRow = row;
    const std::string_view shown = field.substr(0, kMaxShownBytes);
    m_errorText.assign(shown.data(), shown.size());
    m_errorPending = true;
    m_errorVisible = true;
}

void ReplayLabels::hideError() {
    m_error = ErrorLabel::Hidden;
    m_errorPending = true;
    m_errorVisible = false;
}

void ReplayLabels::failed(const Error& error) {
    m_error = ErrorLabel::Failure;
    m_errorText = replayErrorText(error);
    m_errorPending = true;
    m_errorVisible = true;
}

void ReplayLabels::flush() {
    MonitorView& view = m_context.view;
    if (m_statusPending)
        view.setStatusText(m_readingLine > 0 ? std::to_string(m_readingLine) + "行目を表示中..." : m_status);
    if (m_nowPending)
        view.setValueLabel(ValueLabel::Now, "Now: " + shownText(*m_decoder, m_now.view()));
    if (m_errorPending) {
        switch (m_error) {
        case ErrorLabel::Failure:
            view.setReplayErrorText(m_errorText);
            break;
        case ErrorLabel::NotNumeric: {
            std::string text = "数値データではありません。row=" + std::to_string(m_errorRow);
            text += kCrLf;
            text += shownText(*m_decoder, m_errorText);
            view.setReplayErrorText(text);
            break;
        }
        case ErrorLabel::Hidden:
            view.setReplayErrorText("");
            break;
        }
        view.setReplayErrorVisible(m_errorVisible);
    }
    m_statusPending = m_nowPending = m_errorPending = false;
}

void ReplayLabels::resync() {
    m_errorVisible = m_context.view.replayErrorVisible();
}
