#pragma once
// The chart on the graph surface: grid, threshold, the series, the Max/Min
// note. Every drawing on the surface goes through here. The chart holds no
// data of the monitor's: each drawing is given a ChartFrame, what the model
// holds at that moment, and reads the window's view switches through a
// ChartSwitchSource.
//
// A redraw may be deferred: the replay asks for one after every value, but a
// picture that nothing observes before the next one replaces it need not be
// rasterised. The deferred redraw keeps the frame it was asked with, and is
// rendered by flush() before anything observes the surface (the event pump, a
// saved or copied picture, the end of the replay).

#include "chart/DrawingSurface.h"
#include "chart/SeriesPath.h"

#include <optional>
#include <string_view>
#include <vector>

// The colours the series can be drawn in, by the names the colour list
// offers, in its order.
struct SeriesColour {
    std::string_view name;
    Colour colour;
};
inline constexpr SeriesColour kSeriesColours[] = {
    {"黄", kYellow}, {"白", kWhite}, {"青", kBlue}, {"赤", kRed}, {"水", kCyan}};

// The series colour for the colour list's text; `fallback` for any other text.
Colour seriesColourFor(std::string_view colourText, Colour fallback);

// The window's view switches, as a drawing uses them.
struct ChartSwitches {
    bool clear = true; // false: the page is drawn over the pictures before it ("合成" in page mode)
    bool hideGrid = false;
    bool hideThreshold = false;
    Colour colour = kYellow;
};

// Where the chart reads the view switches when it draws.
class ChartSwitchSource {
public:
    virtual ~ChartSwitchSource() = default;
    virtual ChartSwitches chartSwitches() const = 0;
};

// What one drawing shows: the scale ends, the threshold and the samples.
struct ChartFrame {
    double top = 0;
    double bottom = 0;
    int thresholdPercent = 0;
    SeriesWindow series;
};

// The Max/Min note: the highest and lowest values, printed at the height of
// the value in the ring's first slot on a scale from `bottom` to `top`.
struct ExtremesNote {
    double highest = 0;
    double lowest = 0;
    double top = 0;
    double bottom = 0;
    double firstSlotValue = 0;
};

class Chart {
public:
    // Both must outlive the chart.
    Chart(DrawingSurface& surface, const ChartSwitchSource& switches);

    DrawingSurface& surface() { return m_surface; }

    // Prepares the surface and draws the grid and the threshold line.
    void drawGrid(const ChartFrame& frame);

    // Redraws the chart and the whole series, in the colour chosen in the
    // colour list (yellow for any other text). A deferred redraw waits for
    // flush(); an immediate one replaces any waiting one.
    enum class When { Now, Deferred };
    void drawSeries(const ChartFrame& frame, When when = When::Now) {
        // The replay's redraw after every value: the newest request replaces
        // the waiting one.
        if (when == When::Deferred && m_switches && m_switches->clear) {
            m_deferred = Redraw{frame, *m_switches};
            return;
        }
        drawSeriesAt(frame, when);
    }

    // Renders a deferred redraw, if one waits.
    void flush();

    // To be called before a sample is stored while a deferred redraw may be
    // observed before the next one replaces it: the waiting redraw keeps its
    // own copy of the samples, so it still shows those it was asked with.
    void beforeSamplesChange() {
        if (m_deferred && m_deferred->frame.series.samples != &m_deferredSamples &&
            m_deferred->frame.series.samples)
            keepDeferredSamples();
    }

    // A deferred redraw reads the view switches once and keeps them until
    // events may have run, since only an event can change them: whoever ran
    // events, or starts drawing after others may have, says so here.
    void eventsRan() { m_switches.reset(); }

    // Prints "Max:" and "Min:" with the highest and lowest values onto the
    // surface, persistently, near its top-left corner.
    void printExtremes(const ExtremesNote& note);

    // Millimetre scale, current position (x, y).
    void moveToMillimetres(double x, double y);

    // Erases the surface (a background picture stays), dropping a waiting redraw.
    void clearSurface();

private:
    // What a redraw draws, taken when it was asked for.
    struct Redraw {
        ChartFrame frame;
        ChartSwitches switches;
    };
    void drawSeriesAt(const ChartFrame& frame, When when);
    void keepDeferredSamples();
    void renderGrid(const Redraw& redraw);
    void renderSeries(const Redraw& redraw);

    DrawingSurface& m_surface;
    const ChartSwitchSource& m_switchSource;
    std::optional<Redraw> m_deferred;
    std::vector<Sample> m_deferredSamples;   // the deferred redraw's own copy, once the ring has moved on
    std::optional<ChartSwitches> m_switches; // cached for deferred redraws
};
