#pragma once
// The settings that take effect together, as one value: what the settings
// dialog's "設定(&S)" and trendola-render's options both describe, and what
// the monitor holds as the settings in force. A value is checked against the
// model's limits and prepared (the data file counted, the sample ring
// allocated) before it is applied, so applying cannot fail half-way.

#include "base/Result.h"
#include "chart/DrawingSurface.h"
#include "chart/SeriesPath.h"
#include "io/FileScan.h"
#include "text/FieldExtraction.h"
#include "text/LinePattern.h"
#include "text/TextDecoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The lowest and highest field number.
inline constexpr int kMinColumn = 1;
inline constexpr int kMaxColumn = 1000;

// The largest sample ring the settings may ask for, in slots.
inline constexpr std::int64_t kMaxSampleSlots = 100'000'000;

struct MonitorSettings {
    std::string dataFile{};
    std::string delimiterName{kDelimiterNames[0]}; // one of kDelimiterNames; another name splits nothing
    bool skipDelimiterRuns = false;                // a run of delimiters counts as one
    int column = 1;                                // the field to graph, 1-based
    int pointsPerView = 500;                       // points across the graph outside page mode
    int pageSize = 5000;                           // points per page in page mode
    double scaleTop = 0;                           // the scale's ends as applied; the data may widen them
    double scaleBottom = 0;
    bool autoScale = true; // the scale's ends follow the data
    // The scale fits the data instead of reaching to 0: the extremes start
    // from the first value and the ends are rounded to a step of their own.
    bool fitScale = false;
    int thresholdPercent = 80;    // the threshold line's height, percent from the bottom
    bool saveSweepImages = false; // a picture at every sweep of a replay
    std::string sweepFolder{};    // their folder
    // The name the sweep pictures start with; nothing: the data file's name part.
    std::optional<std::string> sweepImageName{};
    ImageFormat sweepImageFormat = ImageFormat::Bmp;
    int pollInterval = 1000; // live polling interval, ms
    int replayPause = 0;     // the replay's pause after each plotted line, ms
    // A regular expression that picks the value out of a line in place of the
    // delimiter and field; empty: the field does. A line it does not match is
    // no data line.
    std::string pattern{};

    FieldRule fieldRule() const { return fieldRuleFor(delimiterName, skipDelimiterRuns); }
};

// The limits of the model, one setting at a time, in the order the dialog
// reports them: finite scale ends, points per page and per view within
// 1..kMaxSampleSlots - 1, a threshold within 0..100, a field within
// kMinColumn..kMaxColumn. The error names the field to fix.
Result<> checkScaleEnds(double top, double bottom);
Result<> checkPoints(std::int64_t points, SettingField field);
Result<> checkThreshold(std::int64_t percent);
Result<> checkColumn(std::int64_t column);
// All of them.
Result<> checkSettings(const MonitorSettings& settings);

// Settings ready to be applied: checked, the data file counted and the new
// sample ring allocated, so that applying them cannot fail half-way.
struct PreparedSettings {
    MonitorSettings settings;
    // The points-per-view label's number as the user wrote it ("0500" stays so).
    std::string pointsPerViewText;
    std::int64_t dataFileLineCount = 0; // 0 when the data file cannot be counted
    std::optional<FileScan> scan;       // that count, for the last-line reader to go on from
    std::int64_t pageCount = 1;         // dataFileLineCount ÷ pageSize + 1
    std::vector<Sample> ring;           // max(pageSize, pointsPerView) + 1 slots
    std::optional<LinePattern> pattern; // the settings' pattern, compiled
};

// Checks the settings, compiles the pattern, counts the data file's lines
// (with a pattern: the lines it matches, read in `decoder`'s encoding, UTF-8
// when none is given) and allocates the ring. A pattern that does not
// compile, more pages than `maxPageCount` (when given), or a ring that cannot
// be had, are refused too. Nothing in force changes.
//
// The count is left out (0, no scan) where nothing will page through the
// file or follow it: a replay alone reads the file once.
enum class LineCount { Counted, NotNeeded };
Result<PreparedSettings> prepareSettings(MonitorSettings settings, std::optional<std::int64_t> maxPageCount,
                                         const TextDecoder* decoder = nullptr,
                                         LineCount lineCount = LineCount::Counted);

// The name part of a data-file path used in the sweep picture names: the
// file name after the last separator ("/" here), without its extension and
// without any further dots ("/log/a.b.txt" gives "ab"). A name without an
// extension is taken whole ("/log/data" gives "data"), and so is a name whose
// only dot leads it (".data" gives "data"); a bare file name gives its name part.
std::string dataFileBaseName(std::string_view dataFile);
