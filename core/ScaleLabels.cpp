#include "core/ScaleLabels.h"

#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"

#include <cmath>

namespace {

// The value `fraction` of the way from the scale's bottom to its top. Ends
// far apart in sign and size have a span beyond any double; the same point
// is then reached as a weighted sum of the ends.
double scaleValue(const MonitorState& state, double fraction) {
    const double span = state.dblMaxY - state.dblMinY;
    if (std::isfinite(span))
        return state.dblMinY + span * fraction;
    return state.dblMaxY * fraction + state.dblMinY * (1 - fraction);
}

} // namespace

void SetScaleLabels(MonitorState& state, MonitorView& view) {
    const double values[] = {
        state.dblMaxY,           scaleValue(state, 0.75), scaleValue(state, 0.5),
        scaleValue(state, 0.25), state.dblMinY,
    };
    for (int i = 0; i < 5; ++i)
        view.setScaleLabel(i, decimalText(roundDecimalText(values[i], 2)));

    // Always the chart's 100 rows, whatever scale the surface is in now.
    state.intScaleCnt = 100;
    state.dblScaleVal.assign(static_cast<std::size_t>(state.intScaleCnt) + 1, 0.0);
    for (int i = 0; i < state.intScaleCnt; ++i)
        state.dblScaleVal[static_cast<std::size_t>(i)] =
            roundDecimalText(scaleValue(state, (state.intScaleCnt - 1 - i) / 100.0), 2);
    state.scaleBuiltFor = std::pair(state.dblMaxY, state.dblMinY);
}

namespace {
// Rebuilding for the scale the labels already show would change nothing.
void refreshScaleLabels(MonitorState& state, MonitorView& view) {
    if (state.scaleBuiltFor != std::pair(state.dblMaxY, state.dblMinY))
        SetScaleLabels(state, view);
}
} // namespace

Result<> RoundScaleVal(std::string_view text, int& length, double& target, bool upward) {
    if (length == 0) {
        target = 0;
        return {};
    }
    const auto value = numericValue(text);
    if (!value)
        return CoreError{kErrInvalidValue, "Invalid scale value: " + std::string(text)};
    const double v = *value;
    if (length == 1) {
        target = v;
        return {};
    }
    // Digit positions only make sense in positional form.
    std::string plain(text);
    if (plain.find_first_of("eE") != std::string::npos) {
        plain = positionalText(v);
        length = static_cast<int>(plain.size());
    }
    if (const auto point = plain.find('.'); point != std::string::npos)
        length = static_cast<int>(point);
    const auto digitAt = [&](std::size_t position) { // 1-based
        const char c = position <= plain.size() ? plain[position - 1] : '0';
        return c >= '0' && c <= '9' ? c - '0' : 0;
    };

    double result;
    if (v >= 1) {
        const int m = digitAt(1) + (upward ? 1 : -1);
        result = m * std::pow(10.0, length - 1);
    } else if (v <= -1) {
        const int m = digitAt(2) + (upward ? -1 : 1);
        result = -m * (length < 3 ? 1.0 : std::pow(10.0, length - 2));
    } else if (v < 0) {
        const int d = digitAt(4);
        const int m = upward ? (d == 0 ? 0 : d - 1) : d + 1;
        result = -m / 10.0;
    } else if (v > 0) {
        const int d = digitAt(3);
        const int m = upward ? d + 1 : (d == 0 ? 0 : d - 1);
        result = m / 10.0;
    } else {
        return {}; // zero with a longer text: unchanged
    }
    if (!std::isfinite(result))
        return CoreError{kErrOverflow, "Overflow"};
    target = result == 0 ? 0.0 : result;
    return {};
}

namespace {
// A new highest or lowest value: its label, its text in place of the
// field's, and the nearer scale end moved beyond it.
Result<> takeExtreme(MonitorState& state, MonitorView& view, std::string& s, double v, int label,
                     const char* caption, double& scaleEnd, bool upward) {
    s = decimalText(v);
    view.setValueLabel(label, caption + s);
    int length = static_cast<int>(s.size());
    if (auto rounded = RoundScaleVal(s, length, scaleEnd, upward); !rounded)
        return rounded;
    refreshScaleLabels(state, view);
    return {};
}
} // namespace

Result<> TrackMaxMin(MonitorState& state, MonitorView& view, std::string& s, double v) {
    if (v > state.dblNowMax) {
        state.dblNowMax = v;
        if (auto taken = takeExtreme(state, view, s, v, 0, "Max: ", state.dblMaxY, true); !taken)
            return taken;
    }
    if (v < state.dblNowMin) {
        state.dblNowMin = v;
        if (auto taken = takeExtreme(state, view, s, v, 2, "Min: ", state.dblMinY, false); !taken)
            return taken;
    }
    state.blnRescale = false;
    return {};
}
