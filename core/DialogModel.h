#pragma once
// The settings dialog frmDialog as a model: every control's text, check
// state or selection, whether it is locked or enabled, and its colours, with
// the rules that run while the user types and clicks. The window is a thin
// view: it passes keys, edits and clicks in, and redraws a control whenever
// the model reports it changed.
//
// The model exists while the dialog exists: creating it runs the loading
// steps, and closing the dialog ("閉じる(&Q)") destroys it without applying
// anything. The delimiter list and chkDelimit write their settings into the
// monitor state at once, so those stay in force after closing.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct MonitorState;

// Colours as 0x00BBGGRR; 0x80000000 + n is the platform's system colour n.
inline constexpr std::uint32_t kColourWhite = 0xFFFFFF;
inline constexpr std::uint32_t kColourActiveBorder = 0x8000000A;   // a locked field
inline constexpr std::uint32_t kColourInactiveBorder = 0x8000000B; // txtDatTest's background
inline constexpr std::uint32_t kColourWindowText = 0x80000008;
inline constexpr std::uint32_t kColourRed = 0xFF;

// The dialog's controls, in reading order, then its group boxes.
enum class DialogControl : int {
    txtInFile,
    cmdInFile,
    cmbDelimit,
    txtDatCol, // the shown element, txtDatCol(0)
    scrV,
    chkDelimit,
    cmdDatTest,
    txtDatTest,
    chkPreView,
    txtPreView,
    txtSpeed,
    txtIniInterval,
    cmdFileEnd,
    txtRange, // the shown element, txtRange(1)
    txtIniXmem,
    txtIniLimit,
    txtIniMaxY,
    txtIniMinY,
    chkIniMaxY,
    chkViewSave,
    txtViewSave,
    cmdViewSave,
    OKButton,
    CancelButton,
    frameData,
    frameSet,
    frameGrpX,
    frameGrpY,
    frameOut,
};
inline constexpr int kDialogControlCount = static_cast<int>(DialogControl::frameOut) + 1;

// The control's name as the window knows it ("txtInFile", "frameData"...).
std::string_view controlName(DialogControl control);
// The control of that name, compared exactly; nothing for an unknown name.
std::optional<DialogControl> controlNamed(std::string_view name);

// What the view shows of one control. Members that do not apply to a kind of
// control keep their defaults.
struct ControlState {
    std::string text;                        // text fields; cmbDelimit: the selected item, or empty
    bool locked = false;                     // text fields and the list: the user cannot change it
    std::uint32_t backColour = kColourWhite; // text fields and the list
    std::uint32_t foreColour = kColourWindowText;
    bool enabled = true;
    bool checked = false; // check boxes
    int listIndex = -1;   // cmbDelimit: index into kDelimiterNames, -1 for none
    int value = 0;        // scrV
};

class DialogModel {
public:
    using ChangeListener = std::function<void(DialogControl)>;
    using PreviewRule = std::function<void()>;

    static constexpr int kSpinMinimum = 1;
    static constexpr int kSpinMaximum = 1000;
    static constexpr char32_t kBackspace = 8;

    // Creates the dialog's controls with their initial contents and runs the
    // loading steps against `state`, which must outlive the model.
    explicit DialogModel(MonitorState& state);
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    MonitorState& state() const { return m_state; }

    // Called after every change of a control's state, with that control; a
    // rule that changes several controls reports each of them.
    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }
    // The last step of txtInFile's change rule (the preview); none by default.
    void setPreviewRule(PreviewRule rule) { m_previewRule = std::move(rule); }

    const ControlState& control(DialogControl c) const { return m_controls[index(c)]; }
    const std::string& text(DialogControl c) const { return control(c).text; }
    // The number at the start of the field's text (leadingValue).
    double value(DialogControl c) const;
    bool okEnabled() const { return control(DialogControl::OKButton).enabled; }

    // The steps run each time the dialog becomes the active window: the
    // Max/Min group from the scale in force ("." as decimal point), and the
    // delimiter in force.
    void activate();

    // --- code placing values; each runs the control's rule when it changes ---
    // A text placed by code, locked or not. Runs the field's change rule when
    // the text differs from the current one.
    void setText(DialogControl field, std::string text);
    // Checks or clears a check box; runs its click rule when the state changes.
    void setChecked(DialogControl box, bool checked);
    // Selects item `listIndex` of cmbDelimit (-1 for none); runs its click
    // rule when the selection changes. False for an index out of range.
    bool selectDelimiter(int listIndex);
    // Selects the item whose text equals `name`; false when there is none.
    bool selectDelimiter(std::string_view name);
    // The dialog's spin scrV; its change writes txtDatCol. False, with nothing
    // changed, for a value outside 1..1000.
    bool setSpinValue(int value);
    void setOkEnabled(bool enabled) { storeEnabled(DialogControl::OKButton, enabled); }
    void setForeColour(DialogControl c, std::uint32_t colour);

    // --- the user's typing ---
    // The key rule: whether a typed key (a character code, kBackspace for
    // Backspace) reaches the field. A refused key is discarded.
    static bool keyAccepted(DialogControl field, char32_t key);
    // The most characters the field holds, 0 for no limit.
    static std::size_t maxLength(DialogControl field);
    // Pasted text is filtered, not refused whole: the characters the key rule
    // accepts, in their order.
    static std::string acceptedText(DialogControl field, std::string_view text);
    // A user's edit of a text field: `inserted` (typed or pasted, empty for
    // Backspace or Delete) replaces the bytes [from, from + count) of its
    // UTF-8 text. Refused characters are
    // dropped and the insertion is cut to the field's length limit; an edit
    // with nothing left of a non-empty insertion is refused whole, as is any
    // edit of a locked or disabled field. True when the edit reached the field.
    bool userEdit(DialogControl field, std::size_t from, std::size_t count, std::string_view inserted);

    // Switches a control between editable and locked (text fields, lists:
    // "txt", "cbo", "cmb", with the white or active-border background) or
    // enabled and disabled ("lst", "cmd", "opt", "chk", "lbl"), by the first
    // three letters of its name, compared case-sensitively. Any other name,
    // or a name the dialog does not have, changes nothing.
    void SetCtlEnabled(std::string_view name, bool blnEnable);
    void SetCtlEnabled(DialogControl c, bool blnEnable) { SetCtlEnabled(controlName(c), blnEnable); }

private:
    static std::size_t index(DialogControl c) { return static_cast<std::size_t>(c); }
    ControlState& mut(DialogControl c) { return m_controls[index(c)]; }
    void notify(DialogControl c);
    void storeEnabled(DialogControl c, bool enabled);
    void storeLocked(DialogControl c, bool locked, std::uint32_t backColour);
    void runChangeRule(DialogControl field);
    void runClickRule(DialogControl control);
    // Replace the text when its value is above `limit`, or at most 0.
    void replaceAbove(DialogControl field, double limit, std::string_view replacement);
    void replaceAtMostZero(DialogControl field, std::string_view replacement);

    MonitorState& m_state;
    std::array<ControlState, kDialogControlCount> m_controls;
    ChangeListener m_listener;
    PreviewRule m_previewRule;
    int m_ruleDepth = 0;
};
