#pragma once
// The vertical scale's values: what its five labels and its hundred rows
// show for given ends, the row a value is drawn at, and the rounding of a
// scale end to a value of one significant digit beyond a new extreme.

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
