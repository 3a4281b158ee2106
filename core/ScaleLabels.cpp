#include "core/ScaleLabels.h"

#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"

#include <charconv>
#include <cmath>

namespace {

double scaleValue(const MonitorState& state, double fraction) {
    return state.dblMinY + (state.dblMaxY - state.dblMinY) * fraction;
}

} // namespace

void SetScaleLabels(MonitorState& state, MonitorView& view) {
    const double values[] = {
        state.dblMaxY,
        state.dblMinY + (state.dblMaxY - state.dblMinY) * 0.75,
        state.dblMinY + (state.dblMaxY - state.dblMinY) / 2,
        state.dblMinY + (state.dblMaxY - state.dblMinY) / 4,
        state.dblMinY,
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

std::string positionalText(double v) {
    const std::string text = decimalText(v);
    const auto e = text.find('E');
    if (e == std::string::npos)
        return text;
    const bool negative = text[0] == '-';
    std::string digits;
    std::size_t point = std::string::npos;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (text[i] == '.')
            point = digits.size();
        else
            digits += text[i];
    }
    if (point == std::string::npos)
        point = digits.size();
    int exponent = 0;
    const char* first = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
    std::from_chars(first, text.data() + text.size(), exponent);
    // The point moves `exponent` places; digits are padded with zeros as needed.
    const long long newPoint = static_cast<long long>(point) + exponent;
    std::string result = negative ? "-" : "";
    if (newPoint <= 0) {
        result += "0." + std::string(static_cast<std::size_t>(-newPoint), '0') + digits;
    } else if (newPoint >= static_cast<long long>(digits.size())) {
        result += digits + std::string(static_cast<std::size_t>(newPoint) - digits.size(), '0');
    } else {
        result += digits.substr(0, static_cast<std::size_t>(newPoint)) + "." +
                  digits.substr(static_cast<std::size_t>(newPoint));
    }
    return result;
}

bool RoundScaleVal(std::string_view text, int& length, double& target, bool upward, CoreError* error) {
    if (length == 0) {
        target = 0;
        return true;
    }
    const auto value = numericValue(text);
    if (!value) {
        if (error)
            *error = CoreError{kErrInvalidValue, "Invalid scale value: " + std::string(text)};
        return false;
    }
    const double v = *value;
    if (length == 1) {
        target = v;
        return true;
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
        return true; // zero with a longer text: unchanged
    }
    if (!std::isfinite(result)) {
        if (error)
            *error = CoreError{kErrOverflow, "Overflow"};
        return false;
    }
    target = result == 0 ? 0.0 : result;
    return true;
}

namespace {
// A new highest or lowest value: its label, its text in place of the
// field's, and the nearer scale end moved beyond it.
bool takeExtreme(MonitorState& state, MonitorView& view, std::string& s, double v, int label,
                 const char* caption, double& scaleEnd, bool upward, CoreError& error) {
    s = decimalText(v);
    view.setValueLabel(label, caption + s);
    int length = static_cast<int>(s.size());
    if (!RoundScaleVal(s, length, scaleEnd, upward, &error))
        return false;
    refreshScaleLabels(state, view);
    return true;
}
} // namespace

bool TrackMaxMin(MonitorState& state, MonitorView& view, std::string& s, double v, CoreError& error) {
    if (v > state.dblNowMax) {
        state.dblNowMax = v;
        if (!takeExtreme(state, view, s, v, 0, "Max: ", state.dblMaxY, true, error))
            return false;
    }
    if (v < state.dblNowMin) {
        state.dblNowMin = v;
        if (!takeExtreme(state, view, s, v, 2, "Min: ", state.dblMinY, false, error))
            return false;
    }
    state.blnRescale = false;
    return true;
}
