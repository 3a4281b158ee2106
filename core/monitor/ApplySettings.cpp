#include "monitor/ApplySettings.h"

#include "monitor/MonitorView.h"
#include "monitor/ScaleLabels.h"

ApplyOutcome applyMonitorSettings(Monitor& monitor, PreparedSettings prepared, MonitorView& view,
                                  ApplyTarget* target) {
    if (target)
        for (const RunButton button : kRunButtons)
            target->setRunButtonEnabled(button, true);
    const std::int64_t pageCount = prepared.pageCount;
    const std::string pointsPerViewText = prepared.pointsPerViewText;
    const ApplyOutcome outcome = monitor.apply(std::move(prepared));
    if (target)
        target->setPageScrollRange(1, static_cast<int>(pageCount));
    view.setPointsPerViewText("表示項目数:" + pointsPerViewText);
    if (outcome != ApplyOutcome::Applied)
        return outcome;
    const MonitorSettings& settings = monitor.settings();
    if (target) {
        target->showColumn(settings.column);
        target->setPollTimerInterval(settings.pollInterval);
    }
    updateScaleLabels(monitor.scale(), view);
    return outcome;
}
