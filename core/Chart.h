#pragma once
// The chart on the graph surface: grid, threshold, the series from the ring
// buffer, the Max/Min text and the sweep pictures. Every drawing on the
// surface goes through here.
//
// A redraw may be deferred: the replay asks for one after every value, but a
// picture that nothing observes before the next one replaces it need not be
// rasterised. The deferred redraw keeps the state it was asked with, and is
// rendered by flush() before anything observes the surface (the event pump, a
// saved or copied picture, the end of the replay).

#include "core/CoreError.h"
#include "core/DrawingSurface.h"
#include "core/MonitorState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class MonitorView;

// The row of value v on the chart's 0..100 vertical scale, 0 at the top:
// the share of the span from minY to top that v lies above minY, in
// percent, rounded to two places and counted down from 100. v − minY is
// taken as its decimal text reads, so rows follow the values as shown.
// Values outside the scale fall outside 0..100.
double chartY(double v, double minY, double top);

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

class Chart {
public:
    Chart(MonitorState& state, MonitorView& view, DrawingSurface& surface);

    DrawingSurface& surface() { return m_surface; }

    // Prepares the surface and draws the grid and the threshold line.
    void DrawGrid();

    // Redraws the chart and the whole series with `top` at the top edge, in
    // the colour chosen in the colour list (yellow for any other text). A
    // deferred redraw waits for flush(); an immediate one replaces any
    // waiting one.
    enum class When { Now, Deferred };
    void DrawSeries(double top, When when = When::Now);

    // Renders a deferred redraw, if one waits.
    void flush();

    // To be called before a sample is stored while a deferred redraw may be
    // observed before the next one replaces it: the waiting redraw keeps its
    // own copy of the buffer, so it still shows the samples it was asked with.
    void beforeBufferWrite();

    // A deferred redraw reads the view switches once and keeps them until
    // events have run, since only an event can change them; the one who ran
    // the events says so here.
    void eventsRan() { m_switches.reset(); }

    // Prints "Max:" and "Min:" with the highest and lowest values onto the
    // surface, persistently, near its top-left corner.
    void PrintMaxMin(double top);

    // When bitmap saving is on: prints the Max/Min text and saves the chart as
    // strViewSaveDir/strInFileTitle + sweep + extension. An error when the
    // picture cannot be written, or when its path would be the data file itself.
    Result<> SaveSweepBitmap(std::int32_t sweep, double top);

    // Millimetre scale, current position (x, y).
    void Locate(double x, double y);

    // Erases the surface (a background picture stays), dropping a waiting redraw.
    void clearSurface();

    // The format of sweep pictures (bitmaps unless a caller asks otherwise).
    void setSweepFormat(ImageFormat format) { m_sweepFormat = format; }
    ImageFormat sweepFormat() const { return m_sweepFormat; }
    // The file name of a sweep picture.
    std::string sweepPicturePath(std::int32_t sweep) const;

private:
    // What a redraw draws, taken when it was asked for.
    struct Redraw {
        double top = 0;
        double minY = 0;
        Colour colour = 0;
        std::int32_t xmem = 0;
        std::int32_t datPos = -1;
        bool datRound = false;
        std::int16_t limit = 0;
        bool clear = true;
        bool hideAuxiliary = false;
        bool hideThreshold = false;
    };
    // The view's switches as a redraw uses them.
    struct Switches {
        bool clear = true;
        bool hideAuxiliary = false;
        bool hideThreshold = false;
        Colour colour = 0;
    };
    Switches switchesNow() const;
    void fillRedraw(Redraw& redraw, double top, const Switches& switches) const;
    void renderGrid(const Redraw& redraw);
    void renderSeries(const Redraw& redraw, const std::vector<tDat>& buffer);

    MonitorState& m_state;
    MonitorView& m_view;
    DrawingSurface& m_surface;
    std::optional<Redraw> m_deferred;
    std::vector<tDat> m_deferredBuffer; // the samples of the deferred redraw, once
    bool m_deferredOwnsBuffer = false;  //   the shared buffer has moved on
    std::optional<Switches> m_switches; // cached for deferred redraws
    ImageFormat m_sweepFormat = ImageFormat::Bmp;
};
