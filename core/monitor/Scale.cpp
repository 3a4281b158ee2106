#include "monitor/Scale.h"

#include "chart/ScaleValues.h"

void Scale::setEnds(double top, double bottom) {
    m_top = top;
    m_bottom = bottom;
}

void Scale::resetExtremes() {
    m_highest = 0;
    m_lowest = 0;
}

Result<> Scale::takeHighest(double value) {
    m_highest = value;
    const auto top = roundScaleEnd(value, true);
    if (!top)
        return top.error();
    m_top = *top;
    return {};
}

Result<> Scale::takeLowest(double value) {
    m_lowest = value;
    const auto bottom = roundScaleEnd(value, false);
    if (!bottom)
        return bottom.error();
    m_bottom = *bottom;
    return {};
}

void Scale::rebuildRows() {
    m_rows = scaleRowValues(m_top, m_bottom);
    m_rowsBuiltFor = std::pair(m_top, m_bottom);
}
