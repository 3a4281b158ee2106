#include "core/DialogModel.h"

#include "core/FieldExtraction.h"
#include "core/MonitorState.h"
#include "core/NumberText.h"

#include <algorithm>
#include <initializer_list>

namespace {

using enum DialogControl;

constexpr std::array<std::string_view, kDialogControlCount> kControlNames = {
    "txtInFile",  "cmdInFile",   "cmbDelimit",  "txtDatCol",   "scrV",       "chkDelimit",
    "cmdDatTest", "txtDatTest",  "chkPreView",  "txtPreView",  "txtSpeed",   "txtIniInterval",
    "cmdFileEnd", "txtRange",    "txtIniXmem",  "txtIniLimit", "txtIniMaxY", "txtIniMinY",
    "chkIniMaxY", "chkViewSave", "txtViewSave", "cmdViewSave", "OKButton",   "CancelButton",
    "frameData",  "frameSet",    "frameGrpX",   "frameGrpY",   "frameOut",
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
    case txtIniInterval:
    case txtSpeed:
    case txtIniLimit:
    case txtIniXmem:
    case txtRange:
    case txtPreView:
    case txtIniMaxY:
    case txtIniMinY:
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

DialogModel::DialogModel(MonitorState& state) : m_state(state) {
    // Initial contents, before the loading steps.
    mut(txtDatCol).text = "1";
    mut(txtDatCol).locked = true; // read-only: only the spin and code change it
    mut(scrV).value = 1;
    mut(txtDatTest).locked = true; // display only
    mut(txtDatTest).backColour = kColourInactiveBorder;
    mut(txtPreView).text = "1000";
    mut(txtSpeed).text = "0";
    mut(txtIniInterval).text = "1000";
    mut(txtRange).text = "5000";
    mut(txtIniXmem).text = "500";
    mut(txtIniLimit).text = "80";
    mut(txtIniMaxY).text = "0";
    mut(txtIniMinY).text = "0";
    mut(chkIniMaxY).checked = true;

    // Loading steps.
    setText(txtInFile, m_state.strInFile);
    selectDelimiter(m_state.strDelimit.empty() ? kDelimiterNames[0] : std::string_view(m_state.strDelimit));
    SetCtlEnabled(txtViewSave, false);
    SetCtlEnabled(cmdViewSave, false);
    SetCtlEnabled(txtPreView, false);
}

double DialogModel::value(DialogControl c) const {
    return leadingValue(text(c));
}

void DialogModel::activate() {
    if (m_state.blnAutoMaxMin) {
        setChecked(chkIniMaxY, true);
        // "." as decimal point, so that applying reads back the same value.
        setText(txtIniMaxY, decimalText(m_state.dblMaxY));
        setText(txtIniMinY, decimalText(m_state.dblMinY));
        SetCtlEnabled(txtIniMaxY, false);
        SetCtlEnabled(txtIniMinY, false);
    } else {
        setChecked(chkIniMaxY, false);
        SetCtlEnabled(txtIniMaxY, true);
        SetCtlEnabled(txtIniMinY, true);
    }
    if (!m_state.strDelimit.empty())
        selectDelimiter(std::string_view(m_state.strDelimit));
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

void DialogModel::storeLocked(DialogControl c, bool locked, std::uint32_t backColour) {
    if (control(c).locked == locked && control(c).backColour == backColour)
        return;
    mut(c).locked = locked;
    mut(c).backColour = backColour;
    notify(c);
}

void DialogModel::setForeColour(DialogControl c, std::uint32_t colour) {
    if (control(c).foreColour == colour)
        return;
    mut(c).foreColour = colour;
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
    if (control(cmbDelimit).listIndex == listIndex)
        return true;
    mut(cmbDelimit).listIndex = listIndex;
    mut(cmbDelimit).text = listIndex < 0 ? std::string() : std::string(kDelimiterNames[listIndex]);
    notify(cmbDelimit);
    runClickRule(cmbDelimit);
    return true;
}

bool DialogModel::selectDelimiter(std::string_view name) {
    const auto found = std::find(std::begin(kDelimiterNames), std::end(kDelimiterNames), name);
    if (found == std::end(kDelimiterNames))
        return false;
    return selectDelimiter(static_cast<int>(found - std::begin(kDelimiterNames)));
}

bool DialogModel::setSpinValue(int value) {
    if (value < kSpinMinimum || value > kSpinMaximum)
        return false;
    if (control(scrV).value == value)
        return true;
    mut(scrV).value = value;
    notify(scrV);
    setText(txtDatCol, std::to_string(value));
    return true;
}

bool DialogModel::keyAccepted(DialogControl field, char32_t key) {
    if (!hasKeyRule(field))
        return true;
    const bool digitOrBackspace = key == kBackspace || (key >= U'0' && key <= U'9');
    if (field == txtIniMaxY || field == txtIniMinY)
        return digitOrBackspace || key == U'-' || key == U'.';
    return digitOrBackspace;
}

std::size_t DialogModel::maxLength(DialogControl field) {
    return field == txtIniLimit ? 3 : 0;
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

void DialogModel::SetCtlEnabled(std::string_view name, bool blnEnable) {
    const auto c = controlNamed(name);
    if (!c)
        return;
    if (hasPrefix(name, {"txt", "cbo", "cmb"}))
        storeLocked(*c, !blnEnable, blnEnable ? kColourWhite : kColourActiveBorder);
    else if (hasPrefix(name, {"lst", "cmd", "opt", "chk", "lbl"}))
        storeEnabled(*c, blnEnable);
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
    case txtIniInterval:
        setOkEnabled(true);
        replaceAbove(field, 65535, "65535");
        replaceAtMostZero(field, "1");
        break;
    case txtSpeed:
        setOkEnabled(true);
        replaceAbove(field, 65535, "65535");
        replaceAtMostZero(field, "0");
        break;
    case txtIniLimit:
        setOkEnabled(true);
        replaceAbove(field, 100, "100");
        replaceAtMostZero(field, "0");
        break;
    case txtIniXmem:
        setOkEnabled(true);
        replaceAtMostZero(field, "1");
        break;
    case txtRange:
        setOkEnabled(true);
        if (text(field) == "0")
            setText(field, "1");
        replaceAtMostZero(field, "1");
        break;
    case txtDatCol:
    case txtIniMaxY:
    case txtIniMinY:
    case txtViewSave:
        setOkEnabled(true);
        break;
    case txtInFile:
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
    case cmbDelimit:
        setOkEnabled(true);
        m_state.strDelimit = text(cmbDelimit);
        break;
    case chkDelimit:
        m_state.blnDelimitSkip = control(chkDelimit).checked;
        break;
    case chkIniMaxY: {
        const bool editable = !control(chkIniMaxY).checked;
        SetCtlEnabled(txtIniMaxY, editable);
        SetCtlEnabled(txtIniMinY, editable);
        break;
    }
    case chkViewSave: {
        setOkEnabled(true);
        const bool saving = control(chkViewSave).checked;
        SetCtlEnabled(txtViewSave, saving);
        SetCtlEnabled(cmdViewSave, saving);
        break;
    }
    case chkPreView:
        if (control(chkPreView).checked) {
            SetCtlEnabled(txtPreView, true);
            runChangeRule(txtInFile);
        } else {
            SetCtlEnabled(txtPreView, false);
        }
        break;
    default:
        break;
    }
}
