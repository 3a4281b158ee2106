#pragma once
// A data line's field and its value read in one pass over the line's bytes,
// for the plain case that nearly every line of a data file is: a field of
// digits with an optional sign and point, at a delimiter. Anything else is
// left to the general reading (extractField, then numericValue), which gives
// the same field and value wherever this one gives any.

#include <string_view>

struct QuickValue {
    double value = 0;
    std::string_view field; // the field's text
};

// Field `column` of the line [line, lineEnd) (without its line end, with
// kLineEndSearchSlack readable bytes after it), split at `delimiter`, a run
// of them counting as one when `skipRuns`. True when it is the plain case: no
// field up to it opens with a quote, and the field is [+-]?digits[.digits]
// or [+-]?.digits with 1 to kPlainDecimalDigits digits. False otherwise,
// with `out` undefined.
bool readQuickValue(const char* line, const char* lineEnd, int column, char delimiter, bool skipRuns,
                    QuickValue& out);
