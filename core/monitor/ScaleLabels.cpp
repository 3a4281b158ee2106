#include "monitor/ScaleLabels.h"

#include "chart/ScaleValues.h"
#include "monitor/MonitorView.h"
#include "monitor/Scale.h"
#include "text/NumberText.h"

void updateScaleLabels(Scale& scale, MonitorView& view) {
    const auto values = scaleLabelValues(scale.top(), scale.bottom());
    for (int i = 0; i < kScaleLabelCount; ++i)
        view.setScaleLabel(i, decimalText(values[static_cast<std::size_t>(i)]));
    // Always the chart's 100 rows, whatever scale the surface is in now.
    scale.rebuildRows();
}

namespace {

// A new extreme: its label and its text in place of the field's; the labels
// follow the ends when they moved.
Result<> showExtreme(Scale& scale, MonitorView& view, std::string& text, double v, ValueLabel label,
                     const char* caption, const Result<>& taken) {
    text = decimalText(v);
    view.setValueLabel(label, caption + text);
    if (!taken)
        return taken.error();
    // Rebuilding for the scale the labels already show would change nothing.
    if (!scale.rowsCurrent())
        updateScaleLabels(scale, view);
    return {};
}

} // namespace

Result<> trackExtremes(Scale& scale, MonitorView& view, std::string& text, double v) {
    if (v > scale.highest())
        if (auto shown =
                showExtreme(scale, view, text, v, ValueLabel::Highest, "Max: ", scale.takeHighest(v));
            !shown)
            return shown;
    if (v < scale.lowest())
        if (auto shown = showExtreme(scale, view, text, v, ValueLabel::Lowest, "Min: ", scale.takeLowest(v));
            !shown)
            return shown;
    scale.clearRescale();
    return {};
}
