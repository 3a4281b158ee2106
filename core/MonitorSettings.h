#pragma once
// The settings that take effect together, as one value: what the settings
// dialog's OK and trendola-render's options both describe. They are checked
// against the model's limits, prepared (the data file counted, the buffer
// allocated) and then written into the monitor state in one fixed order.

#include "core/CoreError.h"
#include "core/FileScan.h"
#include "core/MonitorState.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class FieldSelector;
class MonitorView;

struct MonitorSettings {
    std::string strInFile;
    std::string strDelimit;                  // one of kDelimiterNames
    std::optional<bool> blnDelimitSkip;      // nothing: left as it is (the dialog writes it at once)
    std::int16_t intDatCol = 1;              // the field to graph
    std::int32_t lngXmem = 500;              // points across outside page mode
    std::string xmemText = "500";            // the same as the user wrote it, for the points-per-view label
    std::int32_t lngRange = 5000;            // points per page
    double dblMaxY = 0;                      // scale ends
    double dblMinY = 0;                      //
    bool blnAutoMaxMin = true;               // the scale follows the data
    std::optional<std::int16_t> intLimit;    // threshold in percent; nothing: the one in force stays
    bool blnViewSave = false;                // a picture at every sweep of a replay
    std::string strViewSaveDir;              // their folder, used only with blnViewSave
    std::optional<std::int32_t> lngInterval; // live polling in ms; nothing: the one in force stays
    std::optional<std::int32_t> lngSpeed;    // replay pause in ms; nothing: the one in force stays
};

// The setting a refusal is about, so that the dialog can put the focus there.
enum class SettingField { Column, PointsPerView, PointsPerPage, MaxY, MinY, Threshold };

// Why settings cannot be applied, in words for the user.
struct SettingsRefusal {
    std::string message;
    SettingField field;
};

// The highest field number the column spins hold.
inline constexpr int kMaxDatCol = 1000;

// The limits of the model, one setting at a time, in the order the dialog
// reports them: finite scale ends, points per page and per view within
// 1..kMaxBufferSlots - 1, a threshold within 0..100, a field within 1..1000.
std::optional<SettingsRefusal> checkScaleEnds(double maxY, double minY);
std::optional<SettingsRefusal> checkPoints(std::int64_t points, SettingField field);
std::optional<SettingsRefusal> checkThreshold(std::int64_t percent);
std::optional<SettingsRefusal> checkColumn(std::int64_t column);
// All of them.
std::optional<SettingsRefusal> checkSettings(const MonitorSettings& settings);

// Settings ready to be written: checked, the data file counted and the new
// buffer allocated, so that writing them cannot fail half-way.
struct PreparedSettings {
    MonitorSettings settings;
    std::int64_t fileLines = 0;   // CountFileLines of the data file
    std::optional<FileScan> scan; // that count, for the last-line reader to go on from
    std::int64_t pageCount = 1;   // fileLines ÷ lngRange + 1
    std::vector<tDat> buffer;     // slots 0..max(lngRange, lngXmem)
};

// Checks the settings, counts the data file's lines and allocates the
// buffer. More pages than `maxPageCount` (when given), or a buffer that
// cannot be had, are refused too. Nothing in the monitor state changes.
Result<PreparedSettings, SettingsRefusal> prepareSettings(MonitorSettings settings,
                                                          std::optional<std::int64_t> maxPageCount);

// The main-window controls applying writes that MonitorView does not cover.
// The main window implements it.
class MainWindowApplyTarget {
public:
    virtual ~MainWindowApplyTarget() = default;
    // chkStart(index) usable or not: 0 "S&Ttop", 1 "Re&Play", 2 "&New". Only
    // the enabled state changes; a run in progress goes on.
    virtual void setRunButtonEnabled(int index, bool enabled) = 0;
    // scrH's range. This is not a user's page choice: it must start no
    // replay, also when it moves the scroll bar's value into the new range.
    virtual void setPageScrollRange(int minimum, int maximum) = 0;
    // tmrTime's interval in milliseconds; whether it runs is not touched.
    virtual void setTimerInterval(std::int32_t milliseconds) = 0;
};

// Where applying shows what it wrote: the main window's labels, and where
// there is one (not in trendola-render), its run buttons, page scroll bar,
// timer and field selector.
struct ApplyTargets {
    MonitorView& view;
    MainWindowApplyTarget* mainWindow = nullptr;
    FieldSelector* selector = nullptr;
};

enum class ApplyOutcome {
    Applied,       // every setting in force
    FileRejected,  // no such data file: nothing applied
    LimitRefused,  // a setting beyond the model's limits: nothing applied
    FolderStopped, // the bitmap folder is no existing folder: the settings before it stay applied
};

// Writes prepared settings into the state, in this order: the run buttons
// enabled; the data file, its line count (the last-line reader goes on from
// it) and the rescale; the scale ends; the page size and the page scroll
// range; the points per view and their label; the new buffer with an empty
// position; the threshold; the automatic scale; the bitmap saving, which
// stops everything after it when its folder is no existing folder
// (FolderStopped), and otherwise takes the data file's name part for the
// picture names; the delimiter and the field, which the field selector
// shows; the interval, with the timer; the pace; and last the scale labels
// and an empty buffer position.
ApplyOutcome applyMonitorSettings(MonitorState& state, PreparedSettings prepared, ApplyTargets targets);

// The name part of a data-file path used in the bitmap file names: the file
// name after the last separator ("/" here), without its extension and without
// any further dots ("/log/a.b.txt" gives "ab"). A name without an extension
// is taken whole ("/log/data" gives "data"), and so is a name whose only dot
// leads it (".data" gives "data"); a bare file name gives its name part.
std::string dataFileTitle(std::string_view strInFile);
