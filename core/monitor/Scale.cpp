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

void Scale::takeHighest(double value) {
    m_highest = value;
    m_top = roundScaleEnd(value, true);
}

void Scale::takeLowest(double value) {
    m_lowest = value;
    m_bottom = roundScaleEnd(value, false);
}

void Scale::rebuildRows() {
    m_rows = scaleRowValues(m_top, m_bottom);
    m_rowsBuiltFor = std::pair(m_top, m_bottom);
}
