#pragma once
// The monitor's process-wide state: the settings the dialog applies, the
// sample ring buffer with its write position, the run flags, and the values
// the main window keeps (highest and lowest value, run flag).
//
// One instance lives for the whole process; the live tick, the replay, the
// drawing and the settings read and write its members directly.

#include "core/LastLineReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// One sample of the ring buffer.
struct tDat {
    double DVal = 0;
};

struct MonitorState {
    // --- settings (written when the settings are applied unless noted) ---
    std::string strInFile;           // full path of the data file
    std::string strDelimit;          // delimiter name, one of kDelimiterNames
    bool blnDelimitSkip = false;     // a run of delimiters counts as one
    std::int16_t intDatCol = 1;      // 1-based field number to graph
    std::int32_t lngInterval = 1000; // live polling interval, ms
    std::int32_t lngSpeed = 0;       // replay pause after each plotted line, ms
    double dblMaxY = 0;              // value at the top edge of the graph
    double dblMinY = 0;              // value at the bottom edge
    bool blnAutoMaxMin = true;       // the scale ends follow the data
    std::int16_t intLimit = 80;      // threshold height in percent from the bottom
    std::int32_t lngXmem = 500;      // points across the graph now in force
    std::int32_t lngXmemNormal = 0;  // points across outside page mode, as applied
    std::int32_t lngRange = 0;       // points per page in page mode
    std::int64_t lngFileLines = 0;   // lines of the data file, counted when applied
    bool blnViewSave = false;        // save a bitmap at every sweep of a replay
    std::string strViewSaveDir;      // folder for those bitmaps
    std::string strInFileTitle;      // name part of the data file for bitmap names
    bool blnRescale = false;         // the next value re-derives the scale

    // --- ring buffer and run state ---
    std::vector<tDat> DatBuf = std::vector<tDat>(501); // slots 0..upper bound
    std::int32_t lngDatPos = -1;                       // slot of the newest sample, -1 when empty
    bool blnDatRound = false;                          // the position has wrapped since the last reset
    bool blnReadReady = true;                          // the live tick may start a read
    std::vector<double> dblScaleVal;                   // value per vertical scale unit, top row first
    std::int16_t intScaleCnt = 0;                      // filled slots of dblScaleVal
    // The scale ends the labels and dblScaleVal were last built from, so
    // that an unchanged scale is not rebuilt for every new extreme.
    std::optional<std::pair<double, double>> scaleBuiltFor;

    // --- main-window values ---
    double dblNowMax = 0;     // highest value plotted since the last reset
    double dblNowMin = 0;     // lowest value plotted since the last reset
    bool blnRun = false;      // a run is in progress; the replay ends when cleared
    bool blnLoaded = false;   // the main window has finished loading
    bool blnWinShape = false; // the main window is in its alternate shape
    std::int32_t lngRgn = 0;  // the window region in use

    // Incremental last-line reading of the data file (see ReadLastLine).
    LastLineReader lastLineReader;
};

// The largest ring buffer the settings may ask for, in slots.
inline constexpr std::int64_t kMaxBufferSlots = 100'000'000;

// Empties the buffer's position: nothing is drawn until the next sample. The
// stored values stay.
void ResetDatPos(MonitorState& state);

// Re-dimensions DatBuf to slots 0..upperBound, every value 0, and resets the
// write position, so the position can never point past the buffer. False,
// with the buffer emptied to slot 0 alone, when upperBound is negative, beyond
// kMaxBufferSlots or cannot be allocated.
bool RedimDatBuf(MonitorState& state, std::int64_t upperBound);

// The main window's load: the defaults in their order, DatBuf 0..500, and the
// loaded and read-ready flags.
void LoadMonitorDefaults(MonitorState& state);

// The highest slot index of DatBuf.
inline std::int32_t datBufUpperBound(const MonitorState& state) {
    return static_cast<std::int32_t>(state.DatBuf.size()) - 1;
}
