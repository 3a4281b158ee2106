#pragma once
// Applying the settings dialog ("設定(&S)"): the dialog's fields become one
// MonitorSettings value, which is applied as every caller of applying
// applies it; the dialog adds its own rejection of a missing data file and
// its stop at a missing sweep folder around that.

#include "models/DialogModel.h"
#include "monitor/ApplySettings.h"

#include <cstdint>
#include <string_view>

// The main window's controls and the dialog's own. The dialog's adapter
// implements it; tests use a fake.
class DialogApplyTarget : public ApplyTarget {
public:
    // The dialog's mouse pointer: busy or normal.
    virtual void setDialogBusy(bool busy) = 0;
    // Puts the keyboard focus into a field of the dialog.
    virtual void focusDialogField(DialogControl field) = 0;
};

inline constexpr std::string_view kDataFileMissingMessage =
    "データファイルが正しくないか存在しません。正しいファイルを指定して下さい。";
inline constexpr std::string_view kSweepFolderMissingMessage = "Bitmap保存先Dirが正しくありません。";
inline constexpr std::string_view kPatternMissingMessage = "抽出パターンを入力して下さい。";

// The page scroll bar's largest value: 32767, the most a scroll bar holds.
inline constexpr std::int64_t kMaxPageCount = 32767;

// The dialog's fields as settings, on top of `inForce`: each value read as
// the dialog's rules read it (leading values, whole-text integers rounded
// halves to even); a blank threshold, and an interval or pace that is no
// number, keep the one in force; the sweep folder only counts when sweep
// pictures are on; the pattern only counts when its box is checked, and then
// it must not be empty. A field beyond the model's limits is refused, in the
// order of the fields.
Result<MonitorSettings> settingsFromDialog(const DialogModel& dialog, MonitorSettings inForce);

// "設定(&S)": applies the dialog's fields to its monitor, the dialog's
// pointer busy meanwhile.
// - No data file in the data-file field (a readable regular file, the path
//   taken literally): "Re&Play" and "&New" are disabled, message kind 1 says
//   so and the field gets the file in force back. Nothing else changes.
// - A setting beyond the model's limits, a pattern that does not compile,
//   or more pages than the page scroll
//   bar holds, or a ring that cannot be allocated: message kind 1 says
//   which, the field to fix gets the focus, and nothing changes.
// - Otherwise applyMonitorSettings applies them. A sweep folder that is no
//   existing folder stops it (a plain message box, focus to the folder
//   field): what came before stays applied and "設定(&S)" stays enabled. An
//   interval or pace that is no number shows the value in force again. A
//   full apply disables "設定(&S)".
// The pattern matches lines read in `decoder`'s encoding (UTF-8 when none).
ApplyOutcome applyDialog(DialogModel& dialog, MonitorView& view, DialogApplyTarget& target,
                         const TextDecoder* decoder = nullptr);
