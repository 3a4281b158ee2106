#include "models/Navigation.h"

#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"
#include "monitor/MonitorView.h"
#include "monitor/Replay.h"
#include "text/NumberText.h"

Result<bool> replayPage(MonitorContext& context, int page) {
    context.monitor.setRunning(true);
    return replay(context, true, page);
}

void pageModeSwitched(const Monitor& monitor, MonitorView& view) {
    if (!view.pageModeChecked())
        view.setPageScrollEnabled(false);
    else if (monitor.dataFileLineCount() > 0 && monitor.settings().pageSize > 0)
        view.setPageScrollEnabled(true);
}

std::optional<std::string> pointerValueTip(const Scale& scale, PointerButtons buttons, double y) {
    if (buttons.right && !buttons.left && !buttons.middle)
        return std::nullopt;
    const auto row = toInt(y);
    const std::vector<double>& rows = scale.rowValues();
    if (!row || *row < 0 || *row >= 100 || static_cast<std::size_t>(*row) >= rows.size())
        return std::nullopt;
    return decimalText(rows[static_cast<std::size_t>(*row)]);
}
