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
void showExtreme(Scale& scale, MonitorView& view, std::string& text, double v, ValueLabel label,
                 const char* caption) {
    text = decimalText(v);
    view.setValueLabel(label, caption + text);
    // Rebuilding for the scale the labels already show would change nothing.
    if (!scale.rowsCurrent())
        updateScaleLabels(scale, view);
}

// The extremes start from 0, and each new one moves the nearer end alone.
void trackFromZero(Scale& scale, MonitorView& view, std::string& text, double v) {
    if (v > scale.highest()) {
        scale.takeHighest(v);
        showExtreme(scale, view, text, v, ValueLabel::Highest, "Max: ");
    }
    if (v < scale.lowest()) {
        scale.takeLowest(v);
        showExtreme(scale, view, text, v, ValueLabel::Lowest, "Min: ");
    }
}

} // namespace

void trackExtremes(Scale& scale, MonitorView& view, std::string& text, double v) {
    if (scale.fitted()) {
        const NewExtremes moved = scale.takeFitted(v);
        if (moved.highest)
            showExtreme(scale, view, text, v, ValueLabel::Highest, "Max: ");
        if (moved.lowest)
            showExtreme(scale, view, text, v, ValueLabel::Lowest, "Min: ");
    } else {
        trackFromZero(scale, view, text, v);
    }
    scale.clearRescale();
}
