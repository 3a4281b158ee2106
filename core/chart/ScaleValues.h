#pragma once
// The vertical scale's values: what its five labels and its hundred rows
// show for given ends, the row a value is drawn at, the rounding of a scale
// end to a value of one significant digit beyond a new extreme, and the ends
// of a scale fitted to the data.

#include <array>
#include <vector>

// The five label values, top to bottom: the ends and the quarters between
// them, each rounded to two places (R2).
std::array<double, 5> scaleLabelValues(double top, double bottom);

// The value of each of the chart's 100 rows, top row first, for its 0..100
// vertical scale: row i = R2(bottom + span × (99 − i) / 100), and a 101st
// slot 0.
std::vector<double> scaleRowValues(double top, double bottom);

// The row of value v on the chart's 0..100 vertical scale, 0 at the top:
// the share of the span from `bottom` to `top` that v lies above `bottom`,
// in percent, rounded to two places and counted down from 100. v − bottom is
// taken as its decimal text reads, so rows follow the values as shown.
// Values outside the scale fall outside 0..100.
double chartY(double v, double bottom, double top);

// v as its 15-digit decimal text reads back, so that a height is computed
// from the value the user sees rather than from binary noise below it.
double asShown(double v);

// The scale end beyond v: the next value of one significant digit, upward or
// downward, read from v's decimal text (37.2 gives 40 upward and 20
// downward; 0.345 gives 0.4 and 0.2; a text of one character, such as a
// one-digit integer, gives v itself). An exponent-form text is read as its
// plain positional text (1E+300 gives 2E300 upward, 1E-05 gives 0.1). An end
// beyond the largest double is the largest double, with the value's sign.
double roundScaleEnd(double v, bool upward);

// A scale's two ends.
struct ScaleEnds {
    double top = 0;
    double bottom = 0;
    bool operator==(const ScaleEnds&) const = default;
};

// The ends of a scale fitted to data from `lowest` to `highest` (finite,
// lowest <= highest), which need not reach to 0: the step is the smallest
// 1, 2 or 5 × 10^k that is at least a quarter of the span, and the ends are
// `lowest` rounded down and `highest` rounded up to multiples of it. A single
// value v (lowest == highest) takes 1 % of |v| as its span (1 for 0) and gets
// one step more on each side, so the ends never meet. A multiple is the
// double nearest its decimal value (0.3, not 0.30000000000000004); an end
// beyond the largest double is the largest double. The ends always bracket
// the data. Steps below 1E-307 are not used.
ScaleEnds fittedScaleEnds(double lowest, double highest);
