#include "core/Replay.h"

#include "core/Chart.h"
#include "core/EventPump.h"
#include "core/FieldExtraction.h"
#include "core/FileLines.h"
#include "core/LineReader.h"
#include "core/MonitorContext.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/ScaleLabels.h"
#include "core/TextDecoder.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// A field's text, kept without allocating for the usual short field: it is
// copied once per line.
class FieldText {
public:
    void assign(std::string_view text) {
        if (text.size() <= sizeof m_inline) {
            std::memcpy(m_inline, text.data(), text.size());
            m_view = std::string_view(m_inline, text.size());
        } else {
            m_long.assign(text);
            m_view = m_long;
        }
    }
    std::string_view view() const { return m_view; }

private:
    char m_inline[64];
    std::string m_long;
    std::string_view m_view;
};

// The replay's label texts. Nothing sees a label between two event runs, so
// the texts are only built and shown when events are about to run, at a
// pause, and at the end; a full-speed replay builds a few dozen per second
// instead of one per line.
class ReplayLabels {
public:
    explicit ReplayLabels(MonitorContext& context) : m_context(context) {}

    void info(std::string text) {
        m_info = std::move(text);
        m_readingLine = 0;
        m_infoPending = true;
    }
    void reading(std::int64_t lineNumber) {
        m_readingLine = lineNumber;
        m_infoPending = true;
    }
    // The "Now: " label's field text, kept as it is now: a later line must
    // not show through a label that is only drawn when events run.
    void now(std::string_view fieldText) {
        m_now.assign(fieldText);
        m_nowPending = true;
    }
    void notNumeric(std::int64_t row, std::string_view field) {
        m_errRow = row;
        m_errField.assign(field.data(), field.size());
        m_errPending = true;
        m_errVisible = true;
    }
    void numeric() {
        if (m_errVisible || m_errPending) {
            m_errRow = -1;
            m_errPending = true;
            m_errVisible = false;
        }
    }
    void errorText(const CoreError& error) {
        m_errRow = -2;
        m_errField = replayErrorText(error);
        m_errPending = true;
        m_errVisible = true;
    }

    void flush() {
        MonitorView& view = m_context.view;
        if (m_infoPending)
            view.setInfo(m_readingLine > 0 ? std::to_string(m_readingLine) + "行目を表示中..." : m_info);
        if (m_nowPending)
            view.setValueLabel(1, "Now: " + m_context.decoder.toUtf8(m_now.view()));
        if (m_errPending) {
            if (m_errRow == -2) {
                view.setErrInfo(m_errField);
            } else if (m_errRow >= 0) {
                std::string text = "数値データではありません。row=" + std::to_string(m_errRow);
                text += kCrLf;
                text += m_context.decoder.toUtf8(m_errField);
                view.setErrInfo(text);
            } else {
                view.setErrInfo("");
            }
            view.setErrInfoVisible(m_errVisible);
        }
        m_infoPending = m_nowPending = m_errPending = false;
    }

    // What others did to the labels while events ran.
    void resync() { m_errVisible = m_context.view.errInfoVisible(); }

private:
    MonitorContext& m_context;
    std::string m_info;
    std::int64_t m_readingLine = 0;
    bool m_infoPending = false;
    FieldText m_now;
    bool m_nowPending = false;
    std::int64_t m_errRow = -1;
    std::string m_errField;
    bool m_errPending = false;
    bool m_errVisible = false;
};

class ReplayRun {
public:
    ReplayRun(MonitorContext& context, bool page, std::int32_t pageNo, const ScanProgress& progress)
        : m_context(context), m_state(context.state), m_page(page), m_pageNo(pageNo), m_progress(progress),
          m_labels(context) {}

    bool run();
    // What ended the replay on its error path, if anything did.
    const std::optional<CoreError>& failure() const { return m_failure; }

private:
    bool setUp();
    bool handleNumeric(std::string_view fieldText, double value, bool& finished);
    bool finish();
    bool fail(const CoreError& error);
    void letEventsRun();
    void forceEvents();
    void pause();
    bool storeValue(double value);

    MonitorContext& m_context;
    MonitorState& m_state;
    const bool m_page;
    const std::int32_t m_pageNo;
    const ScanProgress& m_progress;
    std::string m_extremeText; // a new extreme's decimal text, which replaces the field's
    ReplayLabels m_labels;
    LineReader m_reader;
    std::int64_t m_k = 0; // numeric lines handled so far
    std::int64_t m_n = 0; // numeric lines in the current page
    std::int32_t m_s = 0; // sweeps, or pages in page mode
    std::optional<CoreError> m_failure;
};

void ReplayRun::letEventsRun() {
    if (m_context.pump.due())
        forceEvents();
}

void ReplayRun::forceEvents() {
    m_labels.flush();
    m_context.chart.flush();
    if (m_progress)
        m_progress(m_reader.position(), m_reader.sizeAtOpen());
    m_context.pump.run();
    m_context.chart.eventsRan();
    m_labels.resync();
}

void ReplayRun::pause() {
    // Events run during the pause, and a stop ends it early.
    m_labels.flush();
    m_context.chart.flush();
    const std::int64_t end = EventPump::nowMs() + m_state.lngSpeed;
    for (std::int64_t left = m_state.lngSpeed; m_state.blnRun && left > 0; left = end - EventPump::nowMs())
        m_context.pump.wait(static_cast<int>(std::min<std::int64_t>(left, 50)));
    m_context.chart.eventsRan();
    m_labels.resync();
}

bool ReplayRun::setUp() {
    if (m_page)
        m_state.lngXmem = m_state.lngRange;
    else
        m_state.lngXmem = m_state.lngXmemNormal;
    if (!RedimDatBuf(m_state, m_state.lngXmem))
        return false;
    m_context.view.setHeadInfo("表示項目数:" + std::to_string(m_state.lngXmem));
    m_state.dblNowMax = 0;
    m_state.dblNowMin = 0;
    m_context.view.setErrInfoVisible(false);
    m_context.view.setInfo("");
    return true;
}

bool ReplayRun::storeValue(double value) {
    // Reached by index only: a replay or a tick that ran in between may have
    // re-dimensioned the buffer.
    if (m_state.lngDatPos < 0 || static_cast<std::size_t>(m_state.lngDatPos) >= m_state.DatBuf.size())
        return false;
    m_state.DatBuf[static_cast<std::size_t>(m_state.lngDatPos)].DVal = value;
    return true;
}

bool ReplayRun::handleNumeric(std::string_view fieldText, double value, bool& finished) {
    m_labels.numeric();
    // Advance the write position; outside page mode a completed sweep is saved
    // as it was drawn after the previous line.
    ++m_state.lngDatPos;
    if (m_state.lngDatPos > m_state.lngXmem || m_state.lngDatPos < 0) {
        m_state.lngDatPos = 0;
        m_state.blnDatRound = true;
        if (!m_page) {
            ++m_s;
            m_labels.flush(); // a picture may show the labels too
            if (auto saved = m_context.chart.SaveSweepBitmap(m_s, m_state.dblMaxY); !saved)
                return fail(saved.error());
        }
    }
    std::string_view nowText = fieldText;
    if (m_state.blnAutoMaxMin || m_state.blnRescale) {
        // Only a new extreme changes anything but the rescale flag; it also
        // replaces the text with the value's decimal text.
        if (value > m_state.dblNowMax || value < m_state.dblNowMin) {
            if (auto tracked = TrackMaxMin(m_state, m_context.view, m_extremeText, value); !tracked)
                return fail(tracked.error());
            nowText = m_extremeText;
        } else {
            m_state.blnRescale = false;
        }
    }
    // In page mode the page drawn last may still be shown at a later pump,
    // so it keeps the samples it was drawn with; outside page mode the redraw
    // below replaces it before anything can see it.
    if (m_page)
        m_context.chart.beforeBufferWrite();
    storeValue(value);

    if (!m_page) {
        m_context.chart.DrawSeries(m_state.dblMaxY, Chart::When::Deferred);
        m_labels.reading(m_k + 1);
        m_labels.now(nowText);
        letEventsRun();
    } else {
        if (m_n == m_state.lngRange) {
            ++m_s;
            if (m_pageNo == 0 || m_pageNo == m_s) {
                m_context.chart.DrawSeries(m_state.dblMaxY, Chart::When::Deferred);
                m_labels.flush();
                if (auto saved = m_context.chart.SaveSweepBitmap(m_s, m_state.dblMaxY); !saved)
                    return fail(saved.error());
                m_labels.info(std::to_string(m_k + 1 - m_state.lngXmem) + "行目から" +
                              std::to_string(m_k + 1) + "行目を表示");
                m_labels.now(nowText);
                letEventsRun();
                if (m_pageNo == m_s) {
                    finished = true;
                    return true;
                }
            } else {
                letEventsRun();
            }
            m_n = 0;
        }
        ++m_n;
    }
    if (m_state.lngSpeed > 0)
        pause();
    ++m_k;
    return true;
}

bool ReplayRun::finish() {
    m_reader.close();
    if (m_page) {
        m_context.chart.DrawSeries(m_state.dblMaxY, Chart::When::Deferred);
        ++m_s;
        m_labels.flush();
        if (auto saved = m_context.chart.SaveSweepBitmap(m_s, m_state.dblMaxY); !saved)
            return fail(saved.error());
        if (m_k == 0) {
            m_labels.info("0行目から0行目を表示しました。");
        } else {
            // A file shorter than one page would give a first line of 0 or less.
            const std::int64_t first = std::max<std::int64_t>(m_k + 1 - m_state.lngRange, 1);
            m_labels.info(std::to_string(first) + "行目から" + std::to_string(m_k + 1) + "行目を表示");
        }
        m_labels.flush();
    } else {
        m_labels.flush();
        m_context.view.setInfo(m_context.view.info() + " " + std::to_string(m_k + 1) + "行 表示完了");
    }
    m_context.chart.flush();
    return !m_context.view.errInfoVisible();
}

bool ReplayRun::fail(const CoreError& error) {
    m_failure = error;
    m_reader.close();
    m_context.chart.flush();
    m_context.chart.surface().showAndEnable();
    m_labels.errorText(error);
    m_labels.flush();
    return false;
}

bool ReplayRun::run() {
    if (!setUp())
        return fail(CoreError{kErrOutOfMemory, "表示項目数が大きすぎます。"});
    if (!dataFileExists(m_state.strInFile))
        return false;
    if (auto opened = m_reader.open(m_state.strInFile); !opened)
        return fail(opened.error());
    ResetDatPos(m_state);

    const FieldRule rule = fieldRuleFor(m_state.strDelimit, m_state.blnDelimitSkip);
    std::string_view line;
    for (;;) {
        if (!m_state.blnRun)
            break;
        if (!m_reader.next(line)) {
            if (m_reader.failed())
                return fail(m_reader.error());
            break;
        }
        std::string_view field;
        if (!GetColDat(line, m_state.intDatCol, field, rule)) {
            m_labels.info("データがありません。");
            letEventsRun();
            continue;
        }
        field = trimBlanks(field);
        const auto value = numericValue(field);
        if (!value) {
            m_labels.notNumeric(m_k + 1, field);
            letEventsRun();
            continue;
        }
        bool finished = false;
        if (!handleNumeric(field, *value, finished))
            return false;
        if (finished)
            break;
    }
    return finish();
}

} // namespace

Result<bool> RePlayData(MonitorContext& context, bool page, std::int32_t pageNo,
                        const ScanProgress& progress) {
    ReplayRun replay(context, page, pageNo, progress);
    const bool result = replay.run();
    if (replay.failure())
        return *replay.failure();
    return result;
}
