#include "core/Chart.h"

#include "core/FileLines.h"
#include "core/MonitorState.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
#include "core/SeriesPath.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace {

constexpr Colour kGridColour = kDarkGreen;
constexpr Colour kThresholdColour = kRed;
constexpr Colour kMaxMinTextColour = kWhite;
constexpr double kMaxMinTextSize = 8;

// t as its 15-digit decimal text reads back, so that a row is computed from
// the value the user sees rather than from binary noise below it.
double normalised(double t) {
    if (!std::isfinite(t))
        return t;
    const std::string text = decimalText(t);
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

double chartY(double v, double minY, double top) {
    const double span = top - minY;
    // Ends far apart in sign and size have a span beyond any double; their
    // halves do not, and give the same share.
    const double ratio = std::isfinite(span) ? normalised(v - minY) / span * 100
                                             : (v / 2 - minY / 2) / (top / 2 - minY / 2) * 100;
    const double y = 100 - roundDecimalText(ratio, 2);
    if (std::isinf(y))
        return y > 0 ? 1e300 : -1e300; // still far outside, but a number the surface can clip
    return y;
}

Colour seriesColourFor(std::string_view colourText, Colour fallback) {
    for (const SeriesColour& entry : kSeriesColours)
        if (entry.name == colourText)
            return entry.colour;
    return fallback;
}

Chart::Chart(MonitorState& state, MonitorView& view, DrawingSurface& surface)
    : m_state(state), m_view(view), m_surface(surface) {}

Chart::Switches Chart::switchesNow() const {
    Switches switches;
    switches.clear = !(m_view.pageModeChecked() && m_view.compositeChecked());
    switches.hideAuxiliary = m_view.auxiliaryLinesHidden();
    switches.hideThreshold = m_view.thresholdHidden();
    switches.colour = seriesColourFor(m_view.colourText(), kYellow);
    return switches;
}

void Chart::fillRedraw(Redraw& redraw, double top, const Switches& switches) const {
    redraw.top = top;
    redraw.minY = m_state.dblMinY;
    redraw.colour = switches.colour;
    redraw.xmem = m_state.lngXmem;
    redraw.datPos = m_state.lngDatPos;
    redraw.datRound = m_state.blnDatRound;
    redraw.limit = m_state.intLimit;
    redraw.clear = switches.clear;
    redraw.hideAuxiliary = switches.hideAuxiliary;
    redraw.hideThreshold = switches.hideThreshold;
}

void Chart::DrawGrid() {
    Redraw redraw;
    fillRedraw(redraw, m_state.dblMaxY, switchesNow());
    if (redraw.clear)
        m_deferred.reset(); // cleared anyway: a waiting picture would never be seen
    else
        flush(); // drawn over: the waiting picture must be there first
    renderGrid(redraw);
}

void Chart::DrawSeries(double top, When when) {
    const bool deferred = when == When::Deferred;
    if (!deferred || !m_switches)
        m_switches = switchesNow();
    // Composite pictures build on each other, so they are never deferred.
    if (deferred && m_switches->clear) {
        // Filled in place: this runs once per line of a replay.
        fillRedraw(m_deferred ? *m_deferred : m_deferred.emplace(Redraw{}), top, *m_switches);
        m_deferredOwnsBuffer = false;
        return;
    }
    Redraw redraw;
    fillRedraw(redraw, top, *m_switches);
    if (!deferred)
        m_switches.reset();
    if (redraw.clear)
        m_deferred.reset();
    else
        flush();
    renderGrid(redraw);
    renderSeries(redraw, m_state.DatBuf);
}

void Chart::flush() {
    if (!m_deferred)
        return;
    const Redraw redraw = *m_deferred;
    m_deferred.reset();
    renderGrid(redraw);
    renderSeries(redraw, m_deferredOwnsBuffer ? m_deferredBuffer : m_state.DatBuf);
    m_deferredOwnsBuffer = false;
}

void Chart::beforeBufferWrite() {
    if (m_deferred && !m_deferredOwnsBuffer) {
        m_deferredBuffer = m_state.DatBuf;
        m_deferredOwnsBuffer = true;
    }
}

void Chart::renderGrid(const Redraw& redraw) {
    m_surface.setScaleHeight(100);
    m_surface.setScaleWidth(100);
    if (redraw.clear)
        m_surface.clear();
    m_surface.setDrawWidth(1);
    m_surface.setDrawStyleSolid();
    if (!redraw.hideAuxiliary)
        for (int x = 1; x <= 100; ++x)
            m_surface.drawLine(x, 0, x, 100, kGridColour);
    m_surface.setScaleWidth(redraw.xmem);
    if (!redraw.hideAuxiliary)
        for (int y = 10; y <= 110; y += 10)
            m_surface.drawLine(0, y, redraw.xmem, y, kGridColour);
    if (!redraw.hideThreshold && redraw.limit >= 1)
        m_surface.drawLine(0, 100 - redraw.limit, redraw.xmem, 100 - redraw.limit, kThresholdColour);
}

void Chart::renderSeries(const Redraw& redraw, const std::vector<tDat>& buffer) {
    m_surface.hideAndDisable();
    if (redraw.top - redraw.minY > 0) {
        const SeriesPath path = seriesPathFor(redraw.xmem, redraw.datPos, redraw.datRound, buffer.size());
        forEachSeriesLine(buffer, path, m_surface.pixelWidth(), redraw.xmem,
                          [&](double x1, double v1, double x2, double v2) {
                              const double y1 = chartY(v1, redraw.minY, redraw.top);
                              const double y2 = chartY(v2, redraw.minY, redraw.top);
                              if (!std::isnan(y1) && !std::isnan(y2))
                                  m_surface.drawLine(x1, y1, x2, y2, redraw.colour);
                          });
    }
    m_surface.showAndEnable();
}

void Chart::PrintMaxMin(double top) {
    flush();
    // The text sits at the height of the first sample, read on the 0..100
    // scale but applied in twips: within the top 100 twips of the surface.
    // A zero span has no height to read: the text goes to the top.
    double y = 0;
    const double span = top - m_state.dblMinY;
    if (span != 0 && !m_state.DatBuf.empty()) {
        const double ratio = normalised(m_state.DatBuf[0].DVal - m_state.dblMinY) / span * 100;
        y = 100 - roundDecimalText(ratio, 0);
    }
    if (!std::isfinite(y))
        y = 0;
    y = std::clamp(y, 0.0, 100.0); // keep the text inside the picture
    m_surface.setPersistent(true);
    m_surface.setScaleMode(ScaleMode::Twips);
    m_surface.setCurrentPosition(0, y);
    std::string text = "Max:" + decimalText(m_state.dblNowMax);
    text += kCrLf;
    text += "Min:" + decimalText(m_state.dblNowMin);
    m_surface.printText(text, kMaxMinTextColour, kMaxMinTextSize);
    m_surface.setScaleMode(ScaleMode::Twips);
}

std::string Chart::sweepPicturePath(std::int32_t sweep) const {
    const std::string name = m_state.strInFileTitle + std::to_string(sweep) + pictureExtension(m_sweepFormat);
    if (m_state.strViewSaveDir.empty())
        return name;
    return (std::filesystem::path(m_state.strViewSaveDir) / name).string();
}

Result<> Chart::SaveSweepBitmap(std::int32_t sweep, double top) {
    if (!m_state.blnViewSave)
        return {};
    PrintMaxMin(top);
    const std::string path = sweepPicturePath(sweep);
    if (!m_state.strInFile.empty() && samePath(path, m_state.strInFile))
        return CoreError{kErrInvalidValue, "保存先がデータファイルと同じため保存しません: " + path};
    auto saved = m_surface.saveImage(path, m_sweepFormat);
    if (!saved)
        return CoreError{saved.error().number, path + ": " + saved.error().description};
    return saved;
}

void Chart::Locate(double x, double y) {
    flush();
    m_surface.setScaleMode(ScaleMode::Millimetres);
    m_surface.setCurrentPosition(x, y);
}

void Chart::clearSurface() {
    m_deferred.reset();
    m_surface.clear();
}
