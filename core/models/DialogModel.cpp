#include "models/DialogModel.h"

#include "monitor/Monitor.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"

#include <algorithm>
#include <initializer_list>

namespace {

using enum DialogControl;

constexpr std::array<std::string_view, kDialogControlCount> kControlNames = {
    "txtInFile",   "cmdInFile",   "cmbDelimit",   "txtDatCol",   "scrV",       "chkDelimit",
    "cmdDatTest",  "txtDatTest",  "chkPreView",   "txtPreView",  "txtSpeed",   "txtIniInterval",
    "cmdFileEnd",  "txtRange",    "txtIniXmem",   "txtIniLimit", "txtIniMaxY", "txtIniMinY",
    "chkIniMaxY",  "chkViewSave", "txtViewSave",  "cmdViewSave", "chkPattern", "txtPattern",
    "chkFitScale", "OKButton",    "CancelButton", "frameData",   "frameSet",   "frameGrpX",
    "frameGrpY",   "frameOut",    "frameExtra",
};

// A replacement by a rule runs the rule once more, and every replacement
// text already satisfies its rule, so two levels always suffice; the bound
// keeps a faulty rule from recursing without end.
constexpr int kMaxRuleDepth = 2;

bool isTextField(DialogControl c) {
    return controlName(c).starts_with("txt");
}

// The numeric fields, whose keys are filtered.
bool hasKeyRule(DialogControl field) {
    switch (field) {
    case pollIntervalEdit:
    case replayPauseEdit:
    case thresholdEdit:
    case pointsPerViewEdit:
    case pageSizeEdit:
    case previewBytesEdit:
    case scaleTopEdit:
    case scaleBottomEdit:
        return true;
    default:
        return false;
    }
}

bool hasPrefix(std::string_view name, std::initializer_list<std::string_view> prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](std::string_view prefix) { return name.substr(0, 3) == prefix; });
}

} // namespace

std::string_view controlName(DialogControl control) {
    return kControlNames[static_cast<std::size_t>(control)];
}

std::optional<DialogControl> controlNamed(std::string_view name) {
    for (int i = 0; i < kDialogControlCount; ++i)
        if (kControlNames[static_cast<std::size_t>(i)] == name)
            return static_cast<DialogControl>(i);
    return std::nullopt;
}

DialogModel::DialogModel(Monitor& monitor) : m_monitor(monitor) {
    // Initial contents, before the loading steps.
    mut(columnEdit).text = "1";
    mut(columnEdit).locked = true; // read-only: only the spin and code change it
    mut(columnScrollBar).value = 1;
    mut(testResultEdit).locked = true; // display only
    mut(testResultEdit).backColour = kInactiveBorderColour;
    mut(previewBytesEdit).text = "1000";
    mut(replayPauseEdit).text = "0";
    mut(pollIntervalEdit).text = "1000";
    mut(pageSizeEdit).text = "5000";
    mut(pointsPerViewEdit).text = "500";
    mut(thresholdEdit).text = "80";
    mut(scaleTopEdit).text = "0";
    mut(scaleBottomEdit).text = "0";
    mut(autoScaleCheck).checked = true;
    const MonitorSettings& settings = m_monitor.settings();
    mut(patternCheck).checked = !settings.pattern.empty();
    mut(patternEdit).text = settings.pattern;
    mut(patternEdit).toolTip = "例: time=([0-9.]+)";
    mut(patternEdit).locked = settings.pattern.empty();
    mut(patternEdit).backColour = settings.pattern.empty() ? kActiveBorderColour : kWhite;
    mut(fitScaleCheck).checked = settings.fitScale;

    // Loading steps.
    setText(dataFileEdit, settings.dataFile);
    selectDelimiter(settings.delimiterName.empty() ? kDelimiterNames[0]
                                                   : std::string_view(settings.delimiterName));
    setControlEnabled(sweepFolderEdit, false);
    setControlEnabled(browseSweepFolderButton, false);
    setControlEnabled(previewBytesEdit, false);
}

double DialogModel::value(DialogControl c) const {
    return leadingValue(text(c));
}

void DialogModel::activate() {
    const Scale& scale = m_monitor.scale();
    if (m_monitor.settings().autoScale) {
        setChecked(autoScaleCheck, true);
        // "." as decimal point, so that applying reads back the same value.
        setText(scaleTopEdit, decimalText(scale.top()));
        setText(scaleBottomEdit, decimalText(scale.bottom()));
        setControlEnabled(scaleTopEdit, false);
        setControlEnabled(scaleBottomEdit, false);
    } else {
        setChecked(autoScaleCheck, false);
        setControlEnabled(scaleTopEdit, true);
        setControlEnabled(scaleBottomEdit, true);
    }
    if (const std::string& delimiter = m_monitor.settings().delimiterName; !delimiter.empty())
        selectDelimiter(std::string_view(delimiter));
}

void DialogModel::notify(DialogControl c) {
    if (m_listener)
        m_listener(c);
}

void DialogModel::storeEnabled(DialogControl c, bool enabled) {
    if (control(c).enabled == enabled)
        return;
    mut(c).enabled = enabled;
    notify(c);
}

void DialogModel::storeLocked(DialogControl c, bool locked, Colour backColour) {
    if (control(c).locked == locked && control(c).backColour == backColour)
        return;
    mut(c).locked = locked;
    mut(c).backColour = backColour;
    notify(c);
}

void DialogModel::setForeColour(DialogControl c, Colour colour) {
    if (control(c).foreColour == colour)
        return;
    mut(c).foreColour = colour;
    notify(c);
}

void DialogModel::setToolTip(DialogControl c, std::string toolTip) {
    if (control(c).toolTip == toolTip)
        return;
    mut(c).toolTip = std::move(toolTip);
    notify(c);
}

void DialogModel::setText(DialogControl field, std::string text) {
    if (control(field).text == text)
        return; // the same text is no change and runs no rule
    mut(field).text = std::move(text);
    notify(field);
    if (m_ruleDepth >= kMaxRuleDepth)
        return;
    ++m_ruleDepth;
    runChangeRule(field);
    --m_ruleDepth;
}

void DialogModel::setChecked(DialogControl box, bool checked) {
    if (control(box).checked == checked)
        return;
    mut(box).checked = checked;
    notify(box);
    runClickRule(box);
}

bool DialogModel::selectDelimiter(int listIndex) {
    if (listIndex < -1 || listIndex >= static_cast<int>(std::size(kDelimiterNames)))
        return false;
    if (control(delimiterCombo).listIndex == listIndex)
        return true;
    mut(delimiterCombo).listIndex = listIndex;
    mut(delimiterCombo).text = listIndex < 0 ? std::string() : std::string(kDelimiterNames[listIndex]);
    notify(delimiterCombo);
    runClickRule(delimiterCombo);
    return true;
}

bool DialogModel::selectDelimiter(std::string_view name) {
    const auto found = std::find(std::begin(kDelimiterNames), std::end(kDelimiterNames), name);
    if (found == std::end(kDelimiterNames))
        return false;
    return selectDelimiter(static_cast<int>(found - std::begin(kDelimiterNames)));
}

bool DialogModel::setSpinValue(int value) {
    if (value < kMinColumn || value > kMaxColumn)
        return false;
    if (control(columnScrollBar).value == value)
        return true;
    mut(columnScrollBar).value = value;
    notify(columnScrollBar);
    setText(columnEdit, std::to_string(value));
    return true;
}

bool DialogModel::keyAccepted(DialogControl field, char32_t key) {
    if (!hasKeyRule(field))
        return true;
    const bool digitOrBackspace = key == kBackspace || (key >= U'0' && key <= U'9');
    if (field == scaleTopEdit || field == scaleBottomEdit)
        return digitOrBackspace || key == U'-' || key == U'.';
    return digitOrBackspace;
}

std::size_t DialogModel::maxLength(DialogControl field) {
    return field == thresholdEdit ? 3 : 0;
}

std::string DialogModel::acceptedText(DialogControl field, std::string_view text) {
    if (!hasKeyRule(field))
        return std::string(text);
    // The filtered fields accept ASCII only, so bytes can be judged one by one;
    // the bytes of a multi-byte character are all refused.
    std::string accepted;
    for (char c : text)
        if (c != static_cast<char>(kBackspace) && keyAccepted(field, static_cast<unsigned char>(c)))
            accepted += c;
    return accepted;
}

bool DialogModel::userEdit(DialogControl field, std::size_t from, std::size_t count,
                           std::string_view inserted) {
    const ControlState& current = control(field);
    if (!isTextField(field) || current.locked || !current.enabled)
        return false;
    from = std::min(from, current.text.size());
    count = std::min(count, current.text.size() - from);
    std::string accepted = acceptedText(field, inserted);
    if (const std::size_t limit = maxLength(field); limit > 0) {
        const std::size_t kept = current.text.size() - count;
        accepted.resize(std::min(accepted.size(), kept < limit ? limit - kept : 0));
    }
    if (accepted.empty() && (!inserted.empty() || count == 0))
        return false;
    std::string text = current.text;
    text.replace(from, count, accepted);
    setText(field, std::move(text));
    return true;
}

void DialogModel::setControlEnabled(std::string_view name, bool enabled) {
    const auto c = controlNamed(name);
    if (!c)
        return;
    if (hasPrefix(name, {"txt", "cbo", "cmb"}))
        storeLocked(*c, !enabled, enabled ? kWhite : kActiveBorderColour);
    else if (hasPrefix(name, {"lst", "cmd", "opt", "chk", "lbl"}))
        storeEnabled(*c, enabled);
}

void DialogModel::replaceAbove(DialogControl field, double limit, std::string_view replacement) {
    if (value(field) > limit)
        setText(field, std::string(replacement));
}

void DialogModel::replaceAtMostZero(DialogControl field, std::string_view replacement) {
    if (value(field) <= 0)
        setText(field, std::string(replacement));
}

void DialogModel::runChangeRule(DialogControl field) {
    switch (field) {
    case pollIntervalEdit:
        setOkEnabled(true);
        replaceAbove(field, 65535, "65535");
        replaceAtMostZero(field, "1");
        break;
    case replayPauseEdit:
        setOkEnabled(true);
        replaceAbove(field, 65535, "65535");
        replaceAtMostZero(field, "0");
        break;
    case thresholdEdit:
        setOkEnabled(true);
        replaceAbove(field, 100, "100");
        replaceAtMostZero(field, "0");
        break;
    case pointsPerViewEdit:
        setOkEnabled(true);
        replaceAtMostZero(field, "1");
        break;
    case pageSizeEdit:
        setOkEnabled(true);
        if (text(field) == "0")
            setText(field, "1");
        replaceAtMostZero(field, "1");
        break;
    case columnEdit:
    case scaleTopEdit:
    case scaleBottomEdit:
    case sweepFolderEdit:
    case patternEdit:
        setOkEnabled(true);
        break;
    case dataFileEdit:
        setOkEnabled(true);
        if (m_previewRule)
            m_previewRule();
        break;
    default:
        break;
    }
}

void DialogModel::runClickRule(DialogControl c) {
    switch (c) {
    case delimiterCombo:
        setOkEnabled(true);
        m_monitor.setDelimiterName(text(delimiterCombo));
        break;
    case skipDelimiterRunsCheck:
        m_monitor.setSkipDelimiterRuns(control(skipDelimiterRunsCheck).checked);
        break;
    case autoScaleCheck: {
        const bool editable = !control(autoScaleCheck).checked;
        setControlEnabled(scaleTopEdit, editable);
        setControlEnabled(scaleBottomEdit, editable);
        break;
    }
    case saveSweepImagesCheck: {
        setOkEnabled(true);
        const bool saving = control(saveSweepImagesCheck).checked;
        setControlEnabled(sweepFolderEdit, saving);
        setControlEnabled(browseSweepFolderButton, saving);
        break;
    }
    case patternCheck:
        setOkEnabled(true);
        setControlEnabled(patternEdit, control(patternCheck).checked);
        break;
    case fitScaleCheck:
        setOkEnabled(true);
        break;
    case previewCheck:
        if (control(previewCheck).checked) {
            setControlEnabled(previewBytesEdit, true);
            runChangeRule(dataFileEdit);
        } else {
            setControlEnabled(previewBytesEdit, false);
        }
        break;
    default:
        break;
    }
}
