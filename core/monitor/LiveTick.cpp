#include "monitor/LiveTick.h"

#include "chart/Chart.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "monitor/RunControl.h"
#include "monitor/ScaleLabels.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"
#include "text/TextDecoder.h"

#include <exception>

namespace {

// The line end that the last-line reading appends is not part of the value.
std::string_view withoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

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
    const auto last = monitor.lastLineReader().read(settings.dataFile);
    if (!last) {
        stopWithMessage(context, fileErrorMessage(last.error()));
        return false;
    }
    // Of a line read only in part, a field that what was not read could
    // change has no value.
    const auto field = last->cut ? extractFieldOfCutLine(last->line, settings.column, settings.fieldRule())
                                 : extractField(last->line, settings.column, settings.fieldRule());
    if (!field)
        return false;
    const auto value = numericValue(*field);
    if (!value)
        return false;
    std::string fieldText(*field);
    if (settings.autoScale || scale.rescalePending())
        trackExtremes(scale, context.view, fieldText, *value);
    // The position moves only when a value is stored, so a slot that keeps
    // an old value is never drawn as new.
    monitor.samples().pushLive(*value);
    context.chart.drawSeries(monitor.chartFrame());
    context.view.setValueLabel(ValueLabel::Now,
                               "Now: " + shownText(context.decoder, withoutLineEnd(fieldText)));
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
