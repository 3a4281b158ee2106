#pragma once
// The series as the chart draws it: which buffer slots, in which order, at
// which x; and its reduction to what one pixel column can show.

#include "core/MonitorState.h"

#include <cmath>
#include <cstdint>
#include <vector>

// The vertices of the series: vertex i is the value in slot
// (firstSlot + i) mod ringSize, drawn at x = firstX + i. `stub` adds the
// short horizontal line the wrapped order starts with, from x = firstX − 1.
struct SeriesPath {
    std::int64_t firstSlot = 0;
    std::int64_t ringSize = 0;
    std::int64_t count = 0;
    double firstX = 0;
    bool stub = false;
};

// The path for a buffer of `slots` slots with the given points across, newest
// slot and wrap flag: the unwrapped order puts the newest sample at the right
// edge; the wrapped order draws the lngXmem − 1 samples after the newest one,
// oldest at x = 0. Slots beyond the buffer are never reached.
SeriesPath seriesPathFor(std::int32_t lngXmem, std::int32_t lngDatPos, bool blnDatRound, std::size_t slots);

// Calls line(x1, v1, x2, v2) for each line of the path, in drawing order,
// with values rather than rows. When the path has more vertices than the
// surface has pixel columns, the vertices that fall into one column are
// reduced to the span they cover (y(v) is monotonic, so only the first, last,
// lowest and highest values matter): the lines into and out of the column
// stay exact and the column itself gets one line over the span, which covers
// the same rows as drawing every segment.
template <typename Line>
void forEachSeriesLine(const std::vector<tDat>& buffer, const SeriesPath& path, int pixelWidth,
                       double scaleWidth, Line&& line) {
    const auto value = [&](std::int64_t i) {
        return buffer[static_cast<std::size_t>((path.firstSlot + i) % path.ringSize)].DVal;
    };
    if (path.count <= 0)
        return;
    if (path.stub)
        line(path.firstX - 1, value(0), path.firstX, value(0));
    if (pixelWidth <= 0 || scaleWidth <= 0 || path.count <= pixelWidth) {
        for (std::int64_t i = 1; i < path.count; ++i)
            line(path.firstX + static_cast<double>(i - 1), value(i - 1), path.firstX + static_cast<double>(i),
                 value(i));
        return;
    }
    // The same mapping the surface uses for a user x.
    const auto column = [&](double x) { return std::floor(x * pixelWidth / scaleWidth); };
    std::int64_t i = 0;
    bool havePrevious = false;
    double previousX = 0, previousValue = 0;
    while (i < path.count) {
        const double firstX = path.firstX + static_cast<double>(i);
        const double groupColumn = column(firstX);
        const double firstValue = value(i);
        double low = firstValue, high = firstValue, lastValue = firstValue, lastX = firstX;
        for (++i; i < path.count; ++i) {
            const double x = path.firstX + static_cast<double>(i);
            if (column(x) != groupColumn)
                break;
            const double v = value(i);
            low = v < low ? v : low;
            high = v > high ? v : high;
            lastValue = v;
            lastX = x;
        }
        if (havePrevious)
            line(previousX, previousValue, firstX, firstValue);
        if (lastX != firstX)
            line(firstX, high, lastX, low);
        havePrevious = true;
        previousX = lastX;
        previousValue = lastValue;
    }
}
