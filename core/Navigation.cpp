#include "core/Navigation.h"

#include "core/MonitorContext.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/Replay.h"

Result<bool> replayPage(MonitorContext& context, std::int32_t page) {
    context.state.blnRun = true;
    return RePlayData(context, true, page);
}

void pageModeSwitched(const MonitorState& state, MonitorView& view) {
    if (!view.pageModeChecked())
        view.setPageScrollEnabled(false);
    else if (state.lngFileLines > 0 && state.lngRange > 0)
        view.setPageScrollEnabled(true);
}

std::optional<std::string> pointerValueTip(const MonitorState& state, int buttonMask, double y) {
    if (buttonMask == kRightButton)
        return std::nullopt;
    const std::optional<std::int16_t> row = toInt16(y);
    if (!row || *row < 0 || *row >= 100 || state.intScaleCnt <= 0)
        return std::nullopt;
    const auto slot = static_cast<std::size_t>(*row);
    if (slot >= state.dblScaleVal.size())
        return std::nullopt;
    return decimalText(state.dblScaleVal[slot]);
}
