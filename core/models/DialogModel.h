#pragma once
// The settings dialog SettingsDialog as a model: every control's text, check
// state or selection, whether it is locked or enabled, and its colours, with
// the rules that run while the user types and clicks. The window is a thin
// view: it passes keys, edits and clicks in, and redraws a control whenever
// the model reports it changed.
//
// The model exists while the dialog exists: creating it runs the loading
// steps, and closing the dialog ("閉じる(&Q)") destroys it without applying
// anything. The delimiter list and skipDelimiterRunsCheck write their settings into the
// monitor at once, so those stay in force after closing.

#include "base/Colour.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class Monitor;

// The dialog's controls, in reading order, then its group boxes. The
// pattern and the fitted scale are additions in a group of their own below
// the others; unlike the other fields they show the settings in force when
// the dialog is created, so applying again keeps them.
enum class DialogControl : int {
    dataFileEdit,
    browseDataFileButton,
    delimiterCombo,
    columnEdit, // the shown element, columnEdit(0)
    columnScrollBar,
    skipDelimiterRunsCheck,
    firstLineTestButton,
    testResultEdit,
    previewCheck,
    previewBytesEdit,
    replayPauseEdit,
    pollIntervalEdit,
    pageSizeFromFileButton,
    pageSizeEdit, // the shown element, pageSizeEdit(1)
    pointsPerViewEdit,
    thresholdEdit,
    scaleTopEdit,
    scaleBottomEdit,
    autoScaleCheck,
    saveSweepImagesCheck,
    sweepFolderEdit,
    browseSweepFolderButton,
    patternCheck, // the lines' own pattern picks the value
    patternEdit,
    fitScaleCheck, // the scale leaves out 0
    applyButton,
    closeButton,
    dataFileGroup,
    graphGroup,
    xAxisGroup,
    yAxisGroup,
    imageOutputGroup,
    extraGroup, // the pattern and the fitted scale
};
inline constexpr int kDialogControlCount = static_cast<int>(DialogControl::extraGroup) + 1;

// The control's object name, as the window knows it ("txtInFile", "frameData"...).
std::string_view controlName(DialogControl control);
// The control of that name, compared exactly; nothing for an unknown name.
std::optional<DialogControl> controlNamed(std::string_view name);

// What the view shows of one control. Members that do not apply to a kind of
// control keep their defaults.
struct ControlState {
    std::string text;           // text fields; delimiterCombo: the selected item, or empty
    std::string toolTip;        // a hint shown over the control; empty for none
    bool locked = false;        // text fields and the list: the user cannot change it
    Colour backColour = kWhite; // text fields and the list
    Colour foreColour = kWindowTextColour;
    bool enabled = true;
    bool checked = false; // check boxes
    int listIndex = -1;   // delimiterCombo: index into kDelimiterNames, -1 for none
    int value = 0;        // columnScrollBar
};

class DialogModel {
public:
    using ChangeListener = std::function<void(DialogControl)>;
    using PreviewRule = std::function<void()>;

    static constexpr char32_t kBackspace = 8;

    // Creates the dialog's controls with their initial contents and runs the
    // loading steps against `monitor`, which must outlive the model.
    explicit DialogModel(Monitor& monitor);
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    Monitor& monitor() const { return m_monitor; }

    // Called after every change of a control's state, with that control; a
    // rule that changes several controls reports each of them.
    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }
    // The last step of dataFileEdit's change rule (the preview); none by default.
    void setPreviewRule(PreviewRule rule) { m_previewRule = std::move(rule); }

    const ControlState& control(DialogControl c) const { return m_controls[index(c)]; }
    const std::string& text(DialogControl c) const { return control(c).text; }
    // The number at the start of the field's text (leadingValue).
    double value(DialogControl c) const;
    bool okEnabled() const { return control(DialogControl::applyButton).enabled; }

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
    // Selects item `listIndex` of delimiterCombo (-1 for none); runs its click
    // rule when the selection changes. False for an index out of range.
    bool selectDelimiter(int listIndex);
    // Selects the item whose text equals `name`; false when there is none.
    bool selectDelimiter(std::string_view name);
    // The dialog's spin columnScrollBar; its change writes columnEdit. False, with nothing
    // changed, for a value outside 1..1000.
    bool setSpinValue(int value);
    void setOkEnabled(bool enabled) { storeEnabled(DialogControl::applyButton, enabled); }
    void setForeColour(DialogControl c, Colour colour);
    void setToolTip(DialogControl c, std::string toolTip);

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
    // three letters of its object name, compared case-sensitively. Any other name,
    // or a name the dialog does not have, changes nothing.
    void setControlEnabled(std::string_view name, bool enabled);
    void setControlEnabled(DialogControl c, bool enabled) { setControlEnabled(controlName(c), enabled); }

private:
    static std::size_t index(DialogControl c) { return static_cast<std::size_t>(c); }
    ControlState& mut(DialogControl c) { return m_controls[index(c)]; }
    void notify(DialogControl c);
    void storeEnabled(DialogControl c, bool enabled);
    void storeLocked(DialogControl c, bool locked, Colour backColour);
    void runChangeRule(DialogControl field);
    void runClickRule(DialogControl control);
    // Replace the text when its value is above `limit`, or at most 0.
    void replaceAbove(DialogControl field, double limit, std::string_view replacement);
    void replaceAtMostZero(DialogControl field, std::string_view replacement);

    Monitor& m_monitor;
    std::array<ControlState, kDialogControlCount> m_controls;
    ChangeListener m_listener;
    PreviewRule m_previewRule;
    int m_ruleDepth = 0;
};
