// A replay with live ticks and other events running between its lines,
// against a recording surface: no coordinate that is not finite reaches the
// surface, no scale or value label reads "Infinity" or "NaN", the write
// position stays inside the ring, and every value in the ring is the
// value of a line the data file really held (a terminated line, or the end
// of the file where the file ended) at some moment.
//
// Input:
//   flags byte: bit 0 page mode, 1 automatic scale, 2 save sweeps, 3 saving
//     fails, 4 skip delimiter runs, 5 composite, 6 page-mode check box,
//     7 threshold hidden
//   delimiter (modulo 5), field number (1 + modulo 3), points per view and
//   per page (1 + modulo 40), page number (modulo 4), threshold (modulo 101)
//   Max and Min: a byte each, an index into kScaleEnds, or past its end
//     eight bytes of a double
//   pad byte: 0x50..0x53 puts a line of about 1 MiB of "#", " ", "0" or ","
//     first, so that the text's first lines straddle a read of the file; a
//     two-byte number then sets its length within 512 bytes
//   the data file's text: a two-byte length and the bytes
//   then one event step per byte (modulo 10) each time events run, with its
//   arguments (see ReplayFuzz::step); what is left after the replay runs
//   as live ticks, one step after each.

#include "monitor/Replay.h"
#include "FuzzSupport.h"
#include "chart/Chart.h"
#include "monitor/ApplySettings.h"
#include "monitor/EventPump.h"
#include "monitor/LiveTick.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorSettings.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"
#include "text/TextDecoder.h"
// The test fakes, by path: the fuzz targets build without the tests.
#include "support/FakeMonitorView.h"
#include "support/RecordingSurface.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace {

const fuzzing::TempFolder folder;

constexpr double kScaleEnds[] = {0,     1,     -1,     100,     -100,     0.5,    123.456, 1e15,
                                 -1e-5, 9e307, -8e307, DBL_MAX, -DBL_MAX, 1e-300, 5e-324};

double scaleEnd(fuzzing::Script& script) {
    const unsigned index = script.byte();
    if (index < std::size(kScaleEnds))
        return kScaleEnds[index];
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(script.byte()) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

bool finite(double a, double b = 0, double c = 0, double d = 0) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

std::string valueText(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// Refuses every coordinate that is not finite as it arrives.
class CheckingSurface : public RecordingSurface {
public:
    void setScaleWidth(double width) override {
        FUZZ_EXPECT(finite(width), "scale width " + valueText(width));
        RecordingSurface::setScaleWidth(width);
    }
    void setScaleHeight(double height) override {
        FUZZ_EXPECT(finite(height), "scale height " + valueText(height));
        RecordingSurface::setScaleHeight(height);
    }
    void drawLine(double x1, double y1, double x2, double y2, Colour colour) override {
        FUZZ_EXPECT(finite(x1, y1, x2, y2), "line (" + valueText(x1) + ", " + valueText(y1) + ") to (" +
                                                valueText(x2) + ", " + valueText(y2) + ")");
        if (lines.size() > 100000) // composite pictures are never cleared
            lines.clear();
        RecordingSurface::drawLine(x1, y1, x2, y2, colour);
    }
    void setCurrentPosition(double x, double y) override {
        FUZZ_EXPECT(finite(x, y), "text at (" + valueText(x) + ", " + valueText(y) + ")");
        RecordingSurface::setCurrentPosition(x, y);
    }
};

class ReplayFuzz {
public:
    explicit ReplayFuzz(fuzzing::Script& script) : m_script(script), m_file(folder.file("data.csv")) {}

    void run();

private:
    void readSettings();
    bool apply();
    void step();
    void tick();
    void check(const char* when);
    void noteValues(std::size_t from);
    std::string context() const {
        return m_history + "; the file began " + fuzzing::shown(m_file.content().substr(0, 200));
    }

    fuzzing::Script& m_script;
    fuzzing::DataFile m_file;
    Monitor m_monitor;
    FakeMonitorView m_view;
    CheckingSurface m_surface;
    Chart m_chart{m_surface, m_view};
    EventPump m_pump{m_view, 0};
    Utf8Decoder m_decoder;
    MonitorContext m_context{m_monitor, m_view, m_chart, m_pump, m_decoder};

    MonitorSettings m_settings;
    FieldRule m_rule;
    bool m_page = false;
    int m_pageNo = 0;
    bool m_shrunk = false; // once the file shrank, nothing is appended: a line read across would be
                           // cut where the file no longer says where it ends
    int m_nested = 0;
    std::set<double> m_values{0.0}; // every value the ring may hold; 0 fills a new ring
    std::string m_history;
};

void ReplayFuzz::readSettings() {
    const unsigned flags = m_script.byte();
    m_page = (flags & 1u) != 0;
    m_settings.dataFile = m_file.path();
    m_settings.delimiterName = std::string(kDelimiterNames[m_script.byte() % 5]);
    m_settings.skipDelimiterRuns = (flags & 16u) != 0;
    m_settings.column = 1 + m_script.byte() % 3;
    m_settings.pointsPerView = 1 + m_script.byte() % 40;
    m_settings.pageSize = 1 + m_script.byte() % 40;
    m_pageNo = m_script.byte() % 4;
    m_settings.thresholdPercent = m_script.byte() % 101;
    m_settings.scaleTop = scaleEnd(m_script);
    m_settings.scaleBottom = scaleEnd(m_script);
    m_settings.autoScale = (flags & 2u) != 0;
    m_settings.saveSweepImages = (flags & 4u) != 0;
    m_settings.sweepFolder = folder.path();
    m_surface.failSaves = (flags & 8u) != 0;
    m_view.composite = (flags & 32u) != 0;
    m_view.pageMode = (flags & 64u) != 0;
    m_view.thresholdOff = (flags & 128u) != 0;
    m_rule = m_settings.fieldRule();

    std::string content;
    if (const unsigned pad = m_script.byte(); pad >= 0x50 && pad <= 0x53) {
        const std::size_t length = (std::size_t{1} << 20) - 256 + m_script.number(512);
        content.assign(length, "# 0,"[pad - 0x50]);
        content += '\n';
    }
    content += m_script.text(true);
    m_file.replace(content);
    noteValues(0);
    m_history = "settings " + std::to_string(flags) + ", " + m_settings.delimiterName + " field " +
                std::to_string(m_settings.column) + ", points " + std::to_string(m_settings.pointsPerView) +
                "/" + std::to_string(m_settings.pageSize) + ", page " + std::to_string(m_pageNo) +
                ", scale " + valueText(m_settings.scaleTop) + ".." + valueText(m_settings.scaleBottom);
}

bool ReplayFuzz::apply() {
    auto prepared = prepareSettings(m_settings, std::nullopt);
    if (!prepared)
        return false;
    applyMonitorSettings(m_monitor, std::move(*prepared), m_view, nullptr);
    return true;
}

// The values of the lines from `from` to the end, the unterminated end included.
void ReplayFuzz::noteValues(std::size_t from) {
    std::string_view text = std::string_view(m_file.content()).substr(from);
    // A UTF-8 byte-order mark at the start of the file is no part of its first line.
    if (from == 0 && text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    const fuzzing::LineSplit split = fuzzing::splitAtLineEnds(text);
    const auto note = [&](std::string_view line) {
        auto field = extractField(line, m_settings.column, m_rule);
        if (!field)
            return;
        while (!field->empty() && field->front() == ' ')
            field->remove_prefix(1);
        while (!field->empty() && field->back() == ' ')
            field->remove_suffix(1);
        if (const auto value = numericValue(*field))
            m_values.insert(*value);
    };
    for (const fuzzing::Line& line : split.lines)
        note(text.substr(line.start, line.end - line.start));
    note(text.substr(split.tailStart));
}

void ReplayFuzz::check(const char* when) {
    const auto where = [&] { return context() + " (" + when + ")"; };
    const SampleRing& samples = m_monitor.samples();
    FUZZ_EXPECT(samples.newestSlot() >= -1 &&
                    samples.newestSlot() < static_cast<std::int64_t>(samples.size()),
                where() + ": position " + std::to_string(samples.newestSlot()) + " of " +
                    std::to_string(samples.size()));
    const auto readable = [](const std::string& label) {
        return label.find("Infinity") == std::string::npos && label.find("NaN") == std::string::npos;
    };
    for (const auto& label : m_view.scaleLabels)
        FUZZ_EXPECT(readable(label), where() + ": scale label " + label);
    for (const auto& label : m_view.valueLabels)
        FUZZ_EXPECT(readable(label), where() + ": value label " + label);
    for (const Sample& sample : samples.samples())
        FUZZ_EXPECT(m_values.contains(sample.value), where() + ": the ring holds " + valueText(sample.value) +
                                                         ", which no line of the file held; " +
                                                         m_view.valueLabels[1]);
    m_view.log.clear();
}

// A live tick, which plots the last line's value unless the scale is fixed
// and has no span, or the tick ends on its error path with a message.
void ReplayFuzz::tick() {
    m_history += ", tick";
    const fuzzing::LineSplit split = fuzzing::splitAtLineEnds(m_file.content());
    std::string line = m_file.content();
    const std::size_t start = split.lines.empty() ? 0 : split.lines.back().start;
    if (!split.lines.empty())
        line = line.substr(start, split.lines.back().end - start);
    if (start == 0 && line.starts_with("\xEF\xBB\xBF"))
        line.erase(0, 3);
    line += "\r\n";
    const auto field =
        m_file.content().empty() ? std::nullopt : extractField(line, m_settings.column, m_rule);
    const auto value = field ? numericValue(*field) : std::nullopt;
    const Scale& scale = m_monitor.scale();
    const bool plots = value && (m_monitor.settings().autoScale || scale.top() != scale.bottom());
    const std::size_t messages = m_view.messages.size();

    liveTick(m_context);
    FUZZ_EXPECT(m_monitor.readReady(), context() + ": the read guard stayed down after a tick");
    const SampleRing& samples = m_monitor.samples();
    if (plots && m_view.messages.size() == messages)
        FUZZ_EXPECT(samples.newestSlot() >= 0 &&
                        samples.at(static_cast<std::size_t>(samples.newestSlot())).value == *value,
                    context() + ": a tick did not plot " + valueText(*value) + " from " +
                        fuzzing::shown(line));
}

// One event: what a user or another program may do while events run.
void ReplayFuzz::step() {
    switch (m_script.byte() % 10) {
    case 1:
        tick();
        break;
    case 2: {
        const std::string_view text = m_script.text();
        if (m_shrunk)
            break;
        m_history += ", append " + fuzzing::shown(text);
        const std::size_t tail = m_file.content().find_last_of("\r\n");
        m_file.writeAt(m_file.content().size(), text);
        noteValues(tail == std::string::npos ? 0 : tail + 1);
        break;
    }
    case 3: {
        const std::size_t size = m_script.number(static_cast<std::uint32_t>(m_file.content().size()) + 1);
        m_history += ", truncate to " + std::to_string(size);
        m_shrunk = m_shrunk || size < m_file.content().size();
        m_file.truncate(size);
        const std::size_t tail = m_file.content().find_last_of("\r\n");
        noteValues(tail == std::string::npos ? 0 : tail + 1);
        break;
    }
    case 4:
        m_history += ", stop";
        m_monitor.setRunning(false);
        break;
    case 5: {
        const unsigned which = m_script.byte();
        m_history += ", switch " + std::to_string(which % 5);
        switch (which % 5) {
        case 0:
            m_view.pageMode = !m_view.pageMode;
            break;
        case 1:
            m_view.composite = !m_view.composite;
            break;
        case 2:
            m_view.gridHidden = !m_view.gridHidden;
            break;
        case 3:
            m_view.thresholdOff = !m_view.thresholdOff;
            break;
        default:
            m_view.colour = std::string(kSeriesColours[which / 5 % std::size(kSeriesColours)].name);
            break;
        }
        break;
    }
    case 6: {
        const unsigned flags = m_script.byte();
        if (m_nested > 0)
            break;
        // A page chosen with the page scroll bar while the replay runs.
        m_history += ", replay page " + std::to_string(flags % 4);
        ++m_nested;
        (void)replay(m_context, true, static_cast<int>(flags % 4));
        --m_nested;
        break;
    }
    case 7: {
        const unsigned points = m_script.byte();
        m_settings.pointsPerView = 1 + points % 40;
        m_settings.pageSize = 1 + points / 40 % 40;
        m_settings.autoScale = (points & 1u) != 0;
        m_settings.scaleTop = scaleEnd(m_script);
        m_settings.scaleBottom = scaleEnd(m_script);
        m_history += ", apply " + std::to_string(points) + " " + valueText(m_settings.scaleTop) + ".." +
                     valueText(m_settings.scaleBottom);
        apply();
        break;
    }
    case 8:
        m_history += ", rescale";
        m_monitor.scale().requestRescale();
        break;
    case 9:
        m_history += ", saving fails";
        m_surface.failSaves = !m_surface.failSaves;
        break;
    default:
        break;
    }
    check("after an event");
}

void ReplayFuzz::run() {
    readSettings();
    if (!apply())
        return;
    m_view.onEvents = [this] {
        check("events run");
        step();
    };
    m_monitor.setRunning(true);
    (void)replay(m_context, m_page, m_pageNo);
    check("after the replay");
    m_history += "; replay done";
    for (int ticks = 0; ticks < 64 && !m_script.done(); ++ticks) {
        tick();
        check("after a tick");
        step();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Script script(data, size);
    ReplayFuzz(script).run();
    return 0;
}
