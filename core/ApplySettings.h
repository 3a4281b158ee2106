#pragma once
// Applying the settings dialog ("設定(&S)", OKButton): the dialog's fields
// become one MonitorSettings value, which is written into the monitor state
// as every caller of applying writes it; the dialog adds its own rejection of
// a missing data file and its stop at a missing bitmap folder around that.

#include "core/DialogModel.h"
#include "core/MonitorSettings.h"

#include <cstdint>
#include <string_view>

// The main window's controls and the dialog's own. The dialog implements it;
// tests use a fake.
class SettingsTarget : public MainWindowApplyTarget {
public:
    // The dialog's mouse pointer: busy (hourglass) or normal.
    virtual void setDialogBusy(bool busy) = 0;
    // Puts the keyboard focus into a field of the dialog.
    virtual void focusDialogField(DialogControl field) = 0;
};

inline constexpr std::string_view kMsgDataFileMissing =
    "データファイルが正しくないか存在しません。正しいファイルを指定して下さい。";
inline constexpr std::string_view kMsgViewSaveDirMissing = "Bitmap保存先Dirが正しくありません。";

// The page scroll bar's largest value: 32767, the most a scroll bar holds.
inline constexpr std::int64_t kMaxPageCount = 32767;

// The dialog's fields as settings: each value read as the dialog's rules
// read it (leading values, whole-text integers rounded halves to even, a
// blank threshold keeping the one in force, an interval or pace that is no
// number keeping the one in force). A field beyond the model's limits is
// refused, in the order of the fields.
Result<MonitorSettings, SettingsRefusal> settingsFromDialog(const DialogModel& dialog);

// OKButton: applies the dialog's fields to its monitor state, the dialog's
// pointer busy meanwhile.
// - No data file at txtInFile (a readable regular file, the path taken
//   literally): "Re&Play" and "&New" are disabled, ShowMsg kind 1 says so and
//   txtInFile gets the file in force back. Nothing else changes.
// - A setting beyond the model's limits, or more pages than the page scroll
//   bar holds, or a buffer that cannot be allocated: ShowMsg kind 1 says
//   which, the field to fix gets the focus, and nothing changes.
// - Otherwise applyMonitorSettings writes them. A bitmap folder that is no
//   existing folder stops it (a plain message box, focus to txtViewSave):
//   what came before stays applied and OKButton stays enabled. An interval
//   or pace that is no number shows the value in force again. A full apply
//   disables OKButton.
ApplyOutcome applySettings(DialogModel& dialog, FieldSelector& selector, MonitorView& view,
                           SettingsTarget& target);
