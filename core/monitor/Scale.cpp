#include "monitor/Scale.h"

#include "chart/ScaleValues.h"

#include <algorithm>

void Scale::setEnds(double top, double bottom) {
    m_top = top;
    m_bottom = bottom;
}

void Scale::resetExtremes() {
    m_highest = 0;
    m_lowest = 0;
    m_hasValue = false;
}

void Scale::setFitted(bool fitted) {
    if (fitted == m_fitted)
        return;
    resetExtremes();
    m_fitted = fitted;
    // Ends fitted to data far from 0 would otherwise stay clear of it until
    // a reset, although the extremes now start from 0.
    if (!fitted)
        setEnds(std::max(m_top, 0.0), std::min(m_bottom, 0.0));
}

void Scale::takeHighest(double value) {
    m_highest = value;
    m_top = roundScaleEnd(value, true);
}

void Scale::takeLowest(double value) {
    m_lowest = value;
    m_bottom = roundScaleEnd(value, false);
}

NewExtremes Scale::takeFitted(double value) {
    NewExtremes moved;
    if (!m_hasValue) {
        m_hasValue = true;
        m_highest = m_lowest = value;
        moved = {true, true};
    } else {
        moved = {value > m_highest, value < m_lowest};
        if (moved.highest)
            m_highest = value;
        if (moved.lowest)
            m_lowest = value;
    }
    if (moved.highest || moved.lowest) {
        const ScaleEnds ends = fittedScaleEnds(m_lowest, m_highest);
        setEnds(ends.top, ends.bottom);
    }
    return moved;
}

void Scale::rebuildRows() {
    m_rows = scaleRowValues(m_top, m_bottom);
    m_rowsBuiltFor = std::pair(m_top, m_bottom);
}
