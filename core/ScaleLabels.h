#pragma once
// The vertical scale: its five labels, the value-per-row table, the rounding
// of scale ends to values of one significant digit, and the automatic
// widening of the scale as new highs and lows arrive.

#include "core/CoreError.h"

#include <string>
#include <string_view>

struct MonitorState;
class MonitorView;

// Refreshes lblViewMem(0..4) (caption and tool tip: the value rounded to two
// places) and rebuilds dblScaleVal for the chart's 0..100 vertical scale:
// intScaleCnt = 100, slot i = R2(min + span × (99 − i) / 100), slot 100 = 0.
void SetScaleLabels(MonitorState& state, MonitorView& view);

// Derives a rounded scale end from the decimal text of a value v: the next
// value of one significant digit beyond v, upward or downward (37.2 gives 40
// upward and 20 downward; 0.345 gives 0.4 and 0.2; a one-digit integer gives
// itself). An exponent-form text is read as its plain positional text
// (1E+300 gives 2E300 upward, 1E-05 gives 0.1). `length` is the text's
// length; it is shortened to the digits before the point as the rule reads
// it. An error when the result would not be finite; target is then unchanged.
Result<> RoundScaleVal(std::string_view text, int& length, double& target, bool upward);

// One new numeric value v with field text s, run only while blnAutoMaxMin or
// blnRescale is on: a new highest or lowest value updates dblNowMax/dblNowMin,
// its label and the nearer scale end, and replaces s by the value's decimal
// text; blnRescale is cleared. An error when a scale end would not be finite
// (the values already changed stay changed).
Result<> TrackMaxMin(MonitorState& state, MonitorView& view, std::string& s, double v);
