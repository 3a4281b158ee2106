#pragma once
// The series as the chart draws it: which buffer slots, in which order, at
// which x; and its reduction to what one pixel column can show.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// One sample of the series.
struct Sample {
    double value = 0;
};

// The samples the chart draws: a ring of slots, the points across the graph,
// the slot of the newest sample (-1 when there is none) and whether the
// position has wrapped since it was last emptied.
struct SeriesWindow {
    const std::vector<Sample>* samples = nullptr;
    int pointsPerView = 0;
    int newestSlot = -1;
    bool wrapped = false;
};

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

// The path for a ring of `slots` slots with the given points across, newest
// slot and wrap flag: the unwrapped order puts the newest sample at the right
// edge; the wrapped order draws the pointsPerView − 1 samples after the
// newest one, oldest at x = 0. Slots beyond the ring are never reached.
SeriesPath seriesPathFor(int pointsPerView, int newestSlot, bool wrapped, std::size_t slots);

// Calls line(x1, v1, x2, v2) for each line of the path, in drawing order,
// with values rather than rows. When the path has more vertices than the
// surface has pixel columns, the vertices that fall into one column are
// reduced to the span they cover (y(v) is monotonic, so only the first, last,
// lowest and highest values matter): the lines into and out of the column
// stay exact and the column itself gets one line over the span, which covers
// the same rows as drawing every segment.
template <typename Line>
void forEachSeriesLine(const std::vector<Sample>& samples, const SeriesPath& path, int pixelWidth,
                       double scaleWidth, Line&& line) {
    if (path.count <= 0)
        return;
    // Vertex i sits in slot firstSlot + i, wrapping once past the ring's end.
    const auto slotOf = [&](std::int64_t i) {
        std::int64_t slot = path.firstSlot + i;
        if (slot >= path.ringSize)
            slot -= path.ringSize;
        return static_cast<std::size_t>(slot);
    };
    const auto value = [&](std::int64_t i) { return samples[slotOf(i)].value; };
    const auto xOf = [&](std::int64_t i) { return path.firstX + static_cast<double>(i); };
    if (path.stub)
        line(path.firstX - 1, value(0), path.firstX, value(0));
    if (pixelWidth <= 0 || scaleWidth <= 0 || path.count <= pixelWidth) {
        for (std::int64_t i = 1; i < path.count; ++i)
            line(xOf(i - 1), value(i - 1), xOf(i), value(i));
        return;
    }
    // The same mapping the surface uses for a user x.
    const auto column = [&](std::int64_t i) { return std::floor(xOf(i) * pixelWidth / scaleWidth); };
    // Lowest and highest value of vertices [from, to), in at most two runs of slots.
    const auto span = [&](std::int64_t from, std::int64_t to, double& low, double& high) {
        while (from < to) {
            const std::size_t first = slotOf(from);
            const std::int64_t run =
                std::min<std::int64_t>(to - from, path.ringSize - static_cast<std::int64_t>(first));
            for (std::size_t s = first; s < first + static_cast<std::size_t>(run); ++s) {
                const double v = samples[s].value;
                low = v < low ? v : low;
                high = v > high ? v : high;
            }
            from += run;
        }
    };
    std::int64_t i = 0;
    bool havePrevious = false;
    double previousX = 0, previousValue = 0;
    while (i < path.count) {
        const double groupColumn = column(i);
        // The first vertex of the next column, found from the scale and then
        // checked against the mapping itself.
        auto next =
            static_cast<std::int64_t>(std::ceil((groupColumn + 1) * scaleWidth / pixelWidth - path.firstX));
        next = std::clamp<std::int64_t>(next, i + 1, path.count);
        while (next > i + 1 && column(next - 1) != groupColumn)
            --next;
        while (next < path.count && column(next) == groupColumn)
            ++next;
        const double firstValue = value(i);
        double low = firstValue, high = firstValue;
        span(i + 1, next, low, high);
        if (havePrevious)
            line(previousX, previousValue, xOf(i), firstValue);
        if (next - 1 > i)
            line(xOf(i), high, xOf(next - 1), low);
        havePrevious = true;
        previousX = xOf(next - 1);
        previousValue = value(next - 1);
        i = next;
    }
}
