#include "monitor/Replay.h"

#include "chart/Chart.h"
#include "io/FileLines.h"
#include "io/LineScan.h"
#include "monitor/EventPump.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "monitor/ReplayLabels.h"
#include "monitor/ScaleLabels.h"
#include "monitor/SweepImages.h"
#include "text/LineEndSearch.h"
#include "text/NumberText.h"
#include "text/ValuePicker.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

class ReplayRun {
public:
    ReplayRun(MonitorContext& context, bool pageMode, int page, const ReplaySource& source)
        : m_context(context), m_monitor(context.monitor), m_pageMode(pageMode), m_page(page),
          m_source(source), m_labels(context) {}

    bool run();
    // What ended the replay on its error path, if anything did.
    const std::optional<Error>& failure() const { return m_failure; }

private:
    bool setUp();
    bool open(const ValuePicker& picker);
    // Handles the lines of one block; false when the replay ended in it.
    bool replayBlock(const ScannedBlock& block, ValuePicker& picker, bool& finished);
    // A line that is not the plain case; false on the error path.
    bool handleLine(std::string_view line, ValuePicker& picker, bool& finished);
    bool handleNumeric(std::string_view fieldText, double value, bool& finished);
    // The common numeric line, which changes nothing but the ring: no sweep
    // or page ends with it, it is no new extreme, no error label is to be
    // hidden and no pause follows. Outside page mode its redraw and labels
    // wait for settle(). False, with nothing done, for any other line.
    bool quickNumeric(std::string_view fieldText, double value);
    // The redraw and labels that quick lines left waiting, as handling each
    // line in full would have left them: due before anything else happens.
    void settle();
    bool finish();
    bool fail(const Error& error);
    void letEventsRun();
    void forceEvents();
    void pause();
    void redrawDeferred() { m_context.chart.drawSeries(m_monitor.chartFrame(), Chart::When::Deferred); }

    MonitorContext& m_context;
    Monitor& m_monitor;
    const bool m_pageMode;
    const int m_page;
    const ReplaySource& m_source;
    std::string m_extremeText; // a new extreme's decimal text, which replaces the field's
    ReplayLabels m_labels;
    std::unique_ptr<LineScan> m_reader;
    std::uint64_t m_position = 0;  // the file offset just past the line being handled
    std::int64_t m_linesRead = 0;  // lines of the file so far
    std::int64_t m_values = 0;     // numeric lines handled so far
    std::int64_t m_pageValues = 0; // numeric lines in the current page
    int m_sweeps = 0;              // sweeps, or pages in page mode
    std::optional<Error> m_failure;
    bool m_settlePending = false;
    std::int64_t m_settleReading = 0;
    std::string_view m_settleNow; // in the block being handled
};

void ReplayRun::settle() {
    if (!m_settlePending)
        return;
    m_settlePending = false;
    redrawDeferred();
    m_labels.reading(m_settleReading);
    m_labels.now(m_settleNow);
}

bool ReplayRun::quickNumeric(std::string_view fieldText, double value) {
    const MonitorSettings& settings = m_monitor.settings();
    SampleRing& samples = m_monitor.samples();
    Scale& scale = m_monitor.scale();
    if (settings.replayPause > 0 || m_labels.errorShown() || samples.replayPositionWraps() ||
        (m_pageMode && m_pageValues == settings.pageSize))
        return false;
    const bool tracking = settings.autoScale || scale.rescalePending();
    if (tracking && scale.isNewExtreme(value))
        return false;
    if (tracking)
        scale.clearRescale();
    samples.advanceReplayPosition();
    if (m_pageMode) {
        m_context.chart.beforeSamplesChange();
        samples.storeAtNewest(value);
        ++m_pageValues;
    } else {
        samples.storeAtNewest(value);
        m_settlePending = true;
        m_settleReading = m_values + 1;
        m_settleNow = fieldText;
        if (m_context.pump.due()) {
            settle();
            forceEvents();
        }
    }
    ++m_values;
    return true;
}

void ReplayRun::letEventsRun() {
    if (m_context.pump.due())
        forceEvents();
}

void ReplayRun::forceEvents() {
    m_labels.flush();
    m_context.chart.flush();
    if (m_source.progress)
        m_source.progress(ReplayProgress{m_position, m_reader ? m_reader->sizeAtOpen() : 0, m_linesRead});
    m_context.pump.run();
    m_context.chart.eventsRan();
    m_labels.resync();
}

void ReplayRun::pause() {
    // Events run during the pause, and a stop ends it early.
    m_labels.flush();
    m_context.chart.flush();
    const int pauseMs = m_monitor.settings().replayPause;
    const std::int64_t end = EventPump::nowMs() + pauseMs;
    for (std::int64_t left = pauseMs; m_monitor.running() && left > 0; left = end - EventPump::nowMs())
        m_context.pump.wait(static_cast<int>(std::min<std::int64_t>(left, 50)));
    m_context.chart.eventsRan();
    m_labels.resync();
}

bool ReplayRun::setUp() {
    // Events ran before this replay began (the click that started it, at
    // least): switches changed since the last one are used from its first line.
    m_context.chart.eventsRan();
    const MonitorSettings& settings = m_monitor.settings();
    const int points = m_pageMode ? settings.pageSize : settings.pointsPerView;
    SampleRing& samples = m_monitor.samples();
    samples.setPointsPerView(points);
    if (!samples.resize(std::int64_t{points} + 1))
        return false;
    m_context.view.setPointsPerViewText("表示項目数:" + std::to_string(points));
    m_monitor.scale().resetExtremes();
    m_context.view.setReplayErrorVisible(false);
    m_context.view.setStatusText("");
    return true;
}

bool ReplayRun::handleNumeric(std::string_view fieldText, double value, bool& finished) {
    settle();
    m_labels.numeric();
    SampleRing& samples = m_monitor.samples();
    Scale& scale = m_monitor.scale();
    // Advance the write position; outside page mode a completed sweep is saved
    // as it was drawn after the previous line.
    if (samples.advanceReplayPosition() && !m_pageMode) {
        ++m_sweeps;
        m_labels.flush(); // a picture may show the labels too
        if (auto saved = saveSweepImage(m_context, m_sweeps); !saved)
            return fail(saved.error());
    }
    std::string_view nowText = fieldText;
    if (m_monitor.settings().autoScale || scale.rescalePending()) {
        // Only a new extreme changes anything but the rescale; it also
        // replaces the text with the value's decimal text.
        if (scale.isNewExtreme(value)) {
            trackExtremes(scale, m_context.view, m_extremeText, value);
            nowText = m_extremeText;
        } else {
            scale.clearRescale();
        }
    }
    // In page mode the page drawn last may still be shown at a later pump,
    // so it keeps the samples it was drawn with; outside page mode the redraw
    // below replaces it before anything can see it.
    if (m_pageMode)
        m_context.chart.beforeSamplesChange();
    samples.storeAtNewest(value);

    const int pageSize = m_monitor.settings().pageSize;
    if (!m_pageMode) {
        redrawDeferred();
        m_labels.reading(m_values + 1);
        m_labels.now(nowText);
        letEventsRun();
    } else {
        if (m_pageValues == pageSize) {
            ++m_sweeps;
            if (m_page == 0 || m_page == m_sweeps) {
                redrawDeferred();
                m_labels.flush();
                if (auto saved = saveSweepImage(m_context, m_sweeps); !saved)
                    return fail(saved.error());
                m_labels.status(std::to_string(m_values + 1 - samples.pointsPerView()) + "行目から" +
                                std::to_string(m_values + 1) + "行目を表示");
                m_labels.now(nowText);
                letEventsRun();
                if (m_page == m_sweeps) {
                    finished = true;
                    return true;
                }
            } else {
                letEventsRun();
            }
            m_pageValues = 0;
        }
        ++m_pageValues;
    }
    if (m_monitor.settings().replayPause > 0)
        pause();
    ++m_values;
    return true;
}

bool ReplayRun::finish() {
    m_reader.reset();
    if (m_pageMode) {
        redrawDeferred();
        ++m_sweeps;
        m_labels.flush();
        if (auto saved = saveSweepImage(m_context, m_sweeps); !saved)
            return fail(saved.error());
        if (m_values == 0) {
            m_labels.status("0行目から0行目を表示しました。");
        } else {
            // A file shorter than one page would give a first line of 0 or less.
            const std::int64_t first =
                std::max<std::int64_t>(m_values + 1 - m_monitor.settings().pageSize, 1);
            m_labels.status(std::to_string(first) + "行目から" + std::to_string(m_values + 1) + "行目を表示");
        }
        m_labels.flush();
    } else {
        m_labels.flush();
        m_context.view.setStatusText(m_context.view.statusText() + " " + std::to_string(m_values + 1) +
                                     "行 表示完了");
    }
    m_context.chart.flush();
    return !m_context.view.replayErrorVisible();
}

bool ReplayRun::fail(const Error& error) {
    // A copy first: the error may be the reader's, which closing it clears.
    m_failure = error;
    m_reader.reset();
    m_context.chart.flush();
    m_context.chart.surface().showAndEnable();
    m_labels.failed(*m_failure);
    m_labels.flush();
    return false;
}

bool ReplayRun::open(const ValuePicker& picker) {
    // The plain fields are read ahead; a pattern's lines go the general way.
    m_reader = std::make_unique<LineScan>(picker.usesPattern() || m_source.generalReading ? FieldRule{}
                                                                                          : picker.rule(),
                                          m_monitor.settings().column);
    Result<> opened;
    if (m_source.inputFd >= 0) {
        // A copy of the descriptor, so that closing the reader leaves the stream open.
        opened = m_reader->openStream(UniqueFd(::dup(m_source.inputFd)));
    } else {
        opened = m_reader->open(m_monitor.settings().dataFile);
    }
    if (!opened)
        return fail(opened.error());
    return true;
}

bool ReplayRun::handleLine(std::string_view line, ValuePicker& picker, bool& finished) {
    settle();
    const auto picked = picker.pick(line, m_monitor.settings().column);
    if (picked.found != ValuePicker::Found::Text) {
        // A line the pattern does not match is no data line, and no error.
        if (picked.found == ValuePicker::Found::NoField)
            m_labels.status("データがありません。");
        letEventsRun();
        return true;
    }
    const std::string_view text = trimBlanks(picked.text);
    const auto value = numericValue(text);
    if (!value) {
        m_labels.notNumeric(m_values + 1, text);
        letEventsRun();
        return true;
    }
    return handleNumeric(text, *value, finished);
}

bool ReplayRun::replayBlock(const ScannedBlock& block, ValuePicker& picker, bool& finished) {
    const char* const base = block.bytes.data();
    std::size_t start = 0;
    bool goesOn = true;
    for (const ScannedLine& line : block.lines) {
        if (!m_monitor.running()) {
            goesOn = false;
            break;
        }
        ++m_linesRead;
        m_position = block.offset + line.next;
        // The column may have changed while events ran: then the line is
        // read the general way, and later blocks read the new one.
        const int column = m_monitor.settings().column;
        if (line.fieldLength != ScannedLine::kNotPlain && column == block.column) {
            const std::string_view field(base + start + line.fieldOffset, line.fieldLength);
            if (!quickNumeric(field, line.value) && !handleNumeric(field, line.value, finished))
                return false;
        } else {
            if (column != block.column)
                m_reader->setColumn(column);
            const char* const lineEnd = findLineEnd(base + start, base + line.next);
            if (!handleLine(
                    std::string_view(base + start, static_cast<std::size_t>(lineEnd - (base + start))),
                    picker, finished))
                return false;
        }
        if (finished)
            return false;
        start = line.next;
    }
    settle(); // the block's texts go with it
    return goesOn;
}

bool ReplayRun::run() {
    if (!setUp())
        return fail(Error(kErrOutOfMemory, "表示項目数が大きすぎます。"));
    if (m_source.inputFd < 0 && !dataFileExists(m_monitor.settings().dataFile))
        return false;
    // The delimiter and the pattern hold for the whole replay; the column is
    // read at every line, since the column selector may change it while
    // events run.
    ValuePicker picker = m_monitor.valuePicker(m_context.decoder);
    if (!open(picker))
        return false;
    m_monitor.samples().resetPosition();
    m_labels.setTextDecoder(picker.shownTextDecoder());
    bool finished = false;
    while (m_monitor.running()) {
        const ScannedBlock* block = m_reader->next();
        if (!block)
            break;
        if (!replayBlock(*block, picker, finished)) {
            if (m_failure)
                return false;
            break;
        }
    }
    if (m_reader->failed())
        return fail(m_reader->error());
    return finish();
}

} // namespace

Result<bool> replay(MonitorContext& context, bool pageMode, int page, const ReplaySource& source) {
    ReplayRun run(context, pageMode, page, source);
    const bool result = run.run();
    if (run.failure())
        return *run.failure();
    return result;
}
