#pragma once
// The vertical scale in force: its ends, the highest and lowest values seen
// since the last reset, whether the next value re-derives the ends, whether
// the ends fit the data instead of reaching to 0, and the table of row values
// the pointer reads, which is rebuilt only for ends it was not built for.

#include <optional>
#include <utility>
#include <vector>

// The extremes a value moved.
struct NewExtremes {
    bool highest = false;
    bool lowest = false;
};

class Scale {
public:
    double top() const { return m_top; }
    double bottom() const { return m_bottom; }
    double highest() const { return m_highest; }
    double lowest() const { return m_lowest; }

    // New ends, as applied or reset.
    void setEnds(double top, double bottom);
    // Highest and lowest back to 0; a fitted scale has no value again.
    void resetExtremes();

    // Whether the ends fit the data (fittedScaleEnds): the extremes start
    // from the first value after a reset instead of 0.
    bool fitted() const { return m_fitted; }
    // A switch forgets the extremes, which were counted from another start;
    // switched off, the ends reach to 0 again.
    void setFitted(bool fitted);
    // Whether v would be a new highest or lowest value; in a fitted scale the
    // first value since the reset always is.
    bool isNewExtreme(double v) const { return (m_fitted && !m_hasValue) || v > m_highest || v < m_lowest; }

    // The next value re-derives the ends, even where they stay fixed otherwise.
    void requestRescale() { m_rescalePending = true; }
    void clearRescale() { m_rescalePending = false; }
    bool rescalePending() const { return m_rescalePending; }

    // A value above the highest: it becomes the highest, and the top moves to
    // the rounded value beyond it.
    void takeHighest(double value);
    // The same downward for a value below the lowest.
    void takeLowest(double value);
    // A fitted scale takes a value: the first one since the reset becomes
    // both extremes, a later one the extreme it passes, and both ends are
    // then fitted to the extremes again. A value within them changes nothing.
    NewExtremes takeFitted(double value);

    // The row values (top row first, see scaleRowValues); empty until first built.
    const std::vector<double>& rowValues() const { return m_rows; }
    // Whether the row values were built for the ends in force.
    bool rowsCurrent() const { return m_rowsBuiltFor == std::pair(m_top, m_bottom); }
    // Rebuilds the row values for the ends in force.
    void rebuildRows();

private:
    double m_top = 0;
    double m_bottom = 0;
    double m_highest = 0;
    double m_lowest = 0;
    bool m_rescalePending = false;
    bool m_fitted = false;
    bool m_hasValue = false; // a fitted scale took a value since the last reset
    std::vector<double> m_rows;
    std::optional<std::pair<double, double>> m_rowsBuiltFor;
};
