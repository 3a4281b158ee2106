#include "core/LiveMonitor.h"

#include "core/Chart.h"
#include "core/FieldExtraction.h"
#include "core/LastLineReader.h"
#include "core/MonitorContext.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/RunControl.h"
#include "core/ScaleLabels.h"
#include "core/TextDecoder.h"

#include <exception>

namespace {

// The line end that the last-line reading appends is not part of the value.
std::string_view withoutLineEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

void stopWithMessage(MonitorContext& context, const std::string& message) {
    StopRun(context);
    context.view.showPlainMessage(message);
}

bool tick(MonitorContext& context) {
    MonitorState& state = context.state;
    context.chart.DrawGrid();

    // The slot this tick writes; the position moves there only when a value
    // is stored, so a slot that keeps an old value is never drawn as new.
    std::int32_t position = state.lngDatPos + 1;
    bool wraps = false;
    if (position > state.lngXmem - 1 || static_cast<std::size_t>(position) >= state.DatBuf.size()) {
        position = 0;
        wraps = true;
    }
    // A fixed scale without a span has nowhere to plot a value.
    if (!state.blnAutoMaxMin && state.dblMaxY == state.dblMinY)
        return false;

    const auto last = ReadLastLine(state, state.strInFile);
    if (!last) {
        stopWithMessage(context, fileErrorMessage(last.error()));
        return false;
    }
    std::string_view field;
    if (!GetColDat(state, last->strLine, state.intDatCol, field))
        return false;
    // Of a line read only in part, a field running to the end of what was
    // read may go on beyond it: no value can be taken from it.
    if (last->cut && field.data() + field.size() == last->strLine.data() + last->strLine.size())
        return false;
    const auto value = numericValue(field);
    if (!value)
        return false;
    std::string fieldText(field);
    if (state.blnAutoMaxMin || state.blnRescale) {
        if (auto tracked = TrackMaxMin(state, context.view, fieldText, *value); !tracked) {
            stopWithMessage(context, tickErrorMessage(tracked.error()));
            return false;
        }
    }
    state.lngDatPos = position;
    if (wraps)
        state.blnDatRound = true;
    state.DatBuf[static_cast<std::size_t>(position)].DVal = *value;
    context.chart.DrawSeries(state.dblMaxY);
    context.view.setValueLabel(1, "Now: " + context.decoder.toUtf8(withoutLineEnd(fieldText)));
    context.view.setInfo(std::to_string(last->lngLineCount) + "行 表示");
    return true;
}

} // namespace

bool liveTick(MonitorContext& context) {
    MonitorState& state = context.state;
    if (!state.blnReadReady)
        return false;
    bool stored = false;
    try {
        stored = tick(context);
    } catch (...) {
        stopWithMessage(context, tickErrorMessage(currentFailure()));
    }
    state.blnReadReady = true;
    return stored;
}
