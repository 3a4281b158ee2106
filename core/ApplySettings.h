#pragma once
// Applying the settings dialog ("設定(&S)", OKButton): the data file is
// checked, every field becomes its setting, the ring buffer is sized, the
// file's lines are counted and the main window follows (run buttons, page
// scroll bar, points-per-view label, field selector, timer).

#include "core/DialogModel.h"

#include <cstdint>
#include <string>
#include <string_view>

class FieldSelector;
class MonitorView;

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

// Those controls and the dialog's own. The dialog implements it; tests use a fake.
class SettingsTarget : public MainWindowApplyTarget {
public:
    // The dialog's mouse pointer: busy (hourglass) or normal.
    virtual void setDialogBusy(bool busy) = 0;
    // Puts the keyboard focus into a field of the dialog.
    virtual void focusDialogField(DialogControl field) = 0;
};

enum class ApplyOutcome {
    Applied,       // every setting in force; OKButton disabled
    FileRejected,  // no such data file: run buttons 1 and 2 disabled, nothing applied
    LimitRefused,  // a setting beyond the model's limits: nothing applied
    FolderStopped, // the bitmap folder is missing: the settings before it stay applied
};

inline constexpr std::string_view kMsgDataFileMissing =
    "データファイルが正しくないか存在しません。正しいファイルを指定して下さい。";
inline constexpr std::string_view kMsgViewSaveDirMissing = "Bitmap保存先Dirが正しくありません。";

// OKButton: applies the dialog's fields to its monitor state, the dialog's
// pointer busy meanwhile.
// - No data file at txtInFile (a readable regular file, the path taken
//   literally): "Re&Play" and "&New" are disabled, ShowMsg kind 1 says so and
//   txtInFile gets the file in force back. Nothing else changes.
// - A setting beyond the model's limits (a field number outside 1..1000,
//   points per view or per page outside 1..kMaxBufferSlots - 1, a buffer that
//   cannot be allocated, more pages than the page scroll bar holds, a Max/Min
//   that is not finite): ShowMsg kind 1 says which, the field to fix gets the
//   focus, and nothing changes.
// - Otherwise the settings are written in their fixed order. A bitmap folder
//   that is no existing folder stops it after blnViewSave and strViewSaveDir
//   (a plain message box, focus to txtViewSave): what came before stays
//   applied and OKButton stays enabled. A full apply disables OKButton.
// The data file's lines are counted once, and the last-line reader takes
// over that count, so the first live tick costs nothing extra. Writing
// txtWatch and the main scrV runs the field selector's change handling.
ApplyOutcome applySettings(DialogModel& dialog, FieldSelector& selector, MonitorView& view,
                           SettingsTarget& target);

// The name part of a data-file path used in the bitmap file names: the file
// name after the last separator ("/" here), without its extension and without
// any further dots ("/log/a.b.txt" gives "ab"). A name without an extension
// is taken whole ("/log/data" gives "data"), and so is a name whose only dot
// leads it (".data" gives "data"); a bare file name gives its name part.
std::string dataFileTitle(std::string_view strInFile);

// The page scroll bar's largest value: 32767, the most a scroll bar holds.
inline constexpr std::int64_t kMaxPageCount = 32767;
