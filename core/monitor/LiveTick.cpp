#include "monitor/LiveTick.h"

#include "chart/Chart.h"
#include "io/LiveLines.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "monitor/RunControl.h"
#include "monitor/ScaleLabels.h"
#include "text/LineEnds.h"
#include "text/NumberText.h"
#include "text/TextDecoder.h"
#include "text/ValuePicker.h"

#include <exception>

namespace {

void stopWithMessage(MonitorContext& context, const std::string& message) {
    stopRun(context);
    context.view.showPlainMessage(message);
}

bool tick(MonitorContext& context) {
    Monitor& monitor = context.monitor;
    const MonitorSettings& settings = monitor.settings();
    Scale& scale = monitor.scale();
    context.chart.drawGrid(monitor.chartFrame());

    // A fixed scale without a span has nowhere to plot a value.
    if (!settings.autoScale && scale.top() == scale.bottom())
        return false;

    monitor.setReadReady(false); // armed again when the tick is done
    DataFileLines dataFile(monitor.lastLineReader(), settings.dataFile);
    LiveLines& lines = context.liveLines ? *context.liveLines : dataFile;
    const auto last = lines.newest();
    if (!last) {
        stopWithMessage(context, fileErrorMessage(last.error()));
        return false;
    }
    ValuePicker picker = monitor.valuePicker(context.decoder);
    ValuePicker::Picked picked = picker.pick(last->line, settings.column, last->cut);
    std::string olderText; // the value text of an older matching line
    if (picked.found == ValuePicker::Found::NoMatch) {
        // The newest line is no data line: the newest one that is, within a
        // stretch a tick can afford to read.
        const bool found = lines.searchBefore(*last, [&](std::string_view line) {
            const auto older = picker.pick(line, settings.column);
            if (older.found != ValuePicker::Found::Text)
                return false;
            olderText.assign(older.text);
            return true;
        });
        if (!found) {
            context.view.setStatusText(std::string(kNoMatchingLineText));
            return false;
        }
        picked.text = olderText;
    } else if (picked.found == ValuePicker::Found::NoField) {
        return false;
    }
    const auto value = numericValue(picked.text);
    if (!value)
        return false;
    std::string fieldText(picked.text);
    if (settings.autoScale || scale.rescalePending())
        trackExtremes(scale, context.view, fieldText, *value);
    // The position moves only when a value is stored, so a slot that keeps
    // an old value is never drawn as new.
    monitor.samples().pushLive(*value);
    context.chart.drawSeries(monitor.chartFrame());
    context.view.setValueLabel(ValueLabel::Now,
                               "Now: " + shownText(picker.shownTextDecoder(), withoutLineEnd(fieldText)));
    context.view.setStatusText(std::to_string(last->lineCount) + "行 表示");
    return true;
}

} // namespace

bool liveTick(MonitorContext& context) {
    Monitor& monitor = context.monitor;
    if (!monitor.readReady())
        return false;
    bool stored = false;
    try {
        stored = tick(context);
    } catch (...) {
        stopWithMessage(context, tickErrorMessage(currentFailure()));
    }
    monitor.setReadReady(true);
    return stored;
}
