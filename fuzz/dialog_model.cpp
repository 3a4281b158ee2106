// The settings dialog's model under a script of the user's edits and clicks
// and the code's placements, checked after every step against the dialog's
// rules: what a field may hold, which fields lock together, what enables OK,
// and that every change is reported to the window.
//
// Input: a script of steps, each a byte (its value modulo 9) and its arguments:
//   0 edit: a field byte, a two-byte position, a two-byte count (each below
//     60000 taken modulo what fits the text), a text
//   1 type a key: a field byte, a two-byte key code (8 is Backspace)
//   2 click a check box: a box byte
//   3 pick a delimiter: a byte (modulo 7, minus 1; -1 selects none)
//   4 the spin: a two-byte value, minus 100
//   5 become active: a flags byte (bit 0: automatic scale), then the scale's
//     top and bottom as eight bytes each, applied first
//   6 apply succeeded: OK disabled
//   7 a data-file path placed from outside: a text
//   8 setControlEnabled on a second, untouched dialog: a name byte, a flag byte

#include "FuzzSupport.h"
#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace {

using enum DialogControl;

constexpr DialogControl kTextFields[] = {
    dataFileEdit, columnEdit,        testResultEdit, previewBytesEdit, replayPauseEdit, pollIntervalEdit,
    pageSizeEdit, pointsPerViewEdit, thresholdEdit,  scaleTopEdit,     scaleBottomEdit, sweepFolderEdit};
constexpr DialogControl kDigitFields[] = {previewBytesEdit, replayPauseEdit,   pollIntervalEdit,
                                          pageSizeEdit,     pointsPerViewEdit, thresholdEdit};
constexpr DialogControl kBoxes[] = {skipDelimiterRunsCheck, previewCheck, autoScaleCheck,
                                    saveSweepImagesCheck};
// Fields whose change enables OK: all the text fields with a change rule but previewBytesEdit.
constexpr DialogControl kOkFields[] = {dataFileEdit,      replayPauseEdit, pollIntervalEdit, pageSizeEdit,
                                       pointsPerViewEdit, thresholdEdit,   scaleTopEdit,     scaleBottomEdit,
                                       sweepFolderEdit,   columnEdit};

template <std::size_t N> bool among(DialogControl c, const DialogControl (&set)[N]) {
    return std::find(std::begin(set), std::end(set), c) != std::end(set);
}

bool sameState(const ControlState& a, const ControlState& b) {
    return a.text == b.text && a.locked == b.locked && a.backColour == b.backColour &&
           a.foreColour == b.foreColour && a.enabled == b.enabled && a.checked == b.checked &&
           a.listIndex == b.listIndex && a.value == b.value;
}

// The key rule as its table gives it.
bool keyInTable(DialogControl field, char32_t key) {
    const bool digitOrBackspace = key == 8 || (key >= '0' && key <= '9');
    if (among(field, kDigitFields))
        return digitOrBackspace;
    if (field == scaleTopEdit || field == scaleBottomEdit)
        return digitOrBackspace || key == '-' || key == '.';
    return true;
}

std::string utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

double doubleFrom(fuzzing::Script& script) {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<std::uint64_t>(script.byte()) << (8 * i);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return std::isfinite(v) ? v : 0; // applying never lets a scale end be anything else
}

class DialogRun {
public:
    DialogRun() : m_model(m_monitor) {
        m_model.setChangeListener([this](DialogControl c) { m_reported.insert(c); });
        m_model.activate(); // showing the dialog makes it active
    }

    // One step, after which every control that changed must have been reported.
    void step(fuzzing::Script& script) {
        std::array<ControlState, kDialogControlCount> before;
        for (int i = 0; i < kDialogControlCount; ++i)
            before[static_cast<std::size_t>(i)] = m_model.control(static_cast<DialogControl>(i));
        m_reported.clear();
        doStep(script);
        for (int i = 0; i < kDialogControlCount; ++i) {
            const auto c = static_cast<DialogControl>(i);
            FUZZ_EXPECT(sameState(before[static_cast<std::size_t>(i)], m_model.control(c)) ||
                            m_reported.contains(c),
                        m_history + ": " + std::string(controlName(c)) + " changed unreported");
        }
    }
    void checkRules(const char* step);

private:
    void doStep(fuzzing::Script& script);
    DialogControl field(fuzzing::Script& script) {
        return kTextFields[script.byte() % std::size(kTextFields)];
    }
    void edit(DialogControl field, std::size_t from, std::size_t count, std::string_view inserted);

    Monitor m_monitor;
    DialogModel m_model;
    std::set<DialogControl> m_reported;
    std::set<DialogControl> m_codeTexts; // fields that hold a text the code placed, not typed
    std::string m_history;
};

// What a user's edit leaves in the field by the key rule, the length limit
// and the change rules' table; nothing when the edit is refused.
std::optional<std::string> editResult(DialogControl f, const ControlState& before, std::size_t from,
                                      std::size_t count, std::string_view inserted) {
    if (before.locked || !before.enabled)
        return std::nullopt;
    from = std::min(from, before.text.size());
    count = std::min(count, before.text.size() - from);
    std::string accepted;
    for (const char c : inserted)
        if (!among(f, kDigitFields) && f != scaleTopEdit && f != scaleBottomEdit)
            accepted += c;
        else if (c != 8 && keyInTable(f, static_cast<unsigned char>(c)))
            accepted += c;
    if (f == thresholdEdit)
        accepted.resize(std::min(accepted.size(), 3 - std::min<std::size_t>(3, before.text.size() - count)));
    if (accepted.empty() && (!inserted.empty() || count == 0))
        return std::nullopt;
    std::string text = before.text;
    text.replace(from, count, accepted);
    // The digit fields hold digits only, so C reads their value.
    const double value = std::strtod(text.c_str(), nullptr);
    switch (f) {
    case pollIntervalEdit:
        return value > 65535 ? "65535" : value <= 0 ? "1" : text;
    case replayPauseEdit:
        return value > 65535 ? "65535" : value <= 0 ? "0" : text;
    case thresholdEdit:
        return value > 100 ? "100" : value <= 0 ? "0" : text;
    case pointsPerViewEdit:
    case pageSizeEdit:
        return value <= 0 ? "1" : text;
    default:
        return text;
    }
}

void DialogRun::edit(DialogControl f, std::size_t from, std::size_t count, std::string_view inserted) {
    const ControlState before = m_model.control(f);
    const bool okBefore = m_model.okEnabled();
    const auto expected = editResult(f, before, from, count, inserted);
    const bool reached = m_model.userEdit(f, from, count, inserted);
    const auto what = [&] {
        return m_history + ": the edit of " + std::string(controlName(f)) + " left " +
               fuzzing::shown(m_model.text(f)) + ", want " +
               (expected ? fuzzing::shown(*expected) : "it refused");
    };
    FUZZ_EXPECT(reached == expected.has_value(), what());
    if (!reached) {
        FUZZ_EXPECT(m_model.text(f) == before.text && m_model.okEnabled() == okBefore, what());
        return;
    }
    FUZZ_EXPECT(m_model.text(f) == *expected, what());
    if (among(f, kOkFields) && m_model.text(f) != before.text)
        FUZZ_EXPECT(m_model.okEnabled(), what() + "; OK stayed disabled");
}

void DialogRun::doStep(fuzzing::Script& script) {
    switch (script.byte() % 9) {
    case 0: {
        const DialogControl f = field(script);
        // Positions of 60000 and more stay as they are, past any text; others fall inside it.
        const std::size_t size = m_model.text(f).size();
        std::size_t from = script.number(65536);
        from = from >= 60000 ? from : from % (size + 1);
        std::size_t count = script.number(65536);
        count = count >= 60000 ? count : count % (size - std::min(from, size) + 1);
        const std::string_view inserted = script.text();
        m_history += " edit " + std::string(controlName(f)) + " [" + std::to_string(from) + "+" +
                     std::to_string(count) + "] " + fuzzing::shown(inserted);
        const std::string accepted = DialogModel::acceptedText(f, inserted);
        std::string want;
        for (const char c : inserted)
            if (c != 8 && keyInTable(f, static_cast<unsigned char>(c)))
                want += c;
        FUZZ_EXPECT(accepted == want || !among(f, kDigitFields) && f != scaleTopEdit && f != scaleBottomEdit,
                    m_history + ": accepted " + fuzzing::shown(accepted));
        edit(f, from, count, inserted);
        break;
    }
    case 1: {
        const DialogControl f = field(script);
        const char32_t key = script.number(0x3000);
        m_history += " key " + std::to_string(key) + " into " + std::string(controlName(f));
        FUZZ_EXPECT(DialogModel::keyAccepted(f, key) == keyInTable(f, key), m_history);
        if (!DialogModel::keyAccepted(f, key))
            break;
        // As the field applies a key: at the end of its text, Backspace there deleting.
        const std::size_t size = m_model.text(f).size();
        if (key == DialogModel::kBackspace)
            edit(f, size - std::min<std::size_t>(size, 1), 1, "");
        else
            edit(f, size, 0, utf8(key));
        break;
    }
    case 2: {
        const DialogControl box = kBoxes[script.byte() % std::size(kBoxes)];
        m_history += " click " + std::string(controlName(box));
        m_model.setChecked(box, !m_model.control(box).checked);
        break;
    }
    case 3: {
        const int index = script.byte() % 7 - 1;
        m_history += " delimiter " + std::to_string(index);
        FUZZ_EXPECT(m_model.selectDelimiter(index) == (index >= -1 && index < 5), m_history);
        break;
    }
    case 4: {
        const int value = static_cast<int>(script.number(1200)) - 100;
        const ControlState before = m_model.control(columnScrollBar);
        m_history += " spin " + std::to_string(value);
        const bool taken = m_model.setSpinValue(value);
        FUZZ_EXPECT(taken == (value >= 1 && value <= 1000), m_history);
        if (!taken)
            FUZZ_EXPECT(m_model.control(columnScrollBar).value == before.value, m_history);
        break;
    }
    case 5: {
        // The scale as applying leaves it; the rest of the settings stay as they are.
        MonitorSettings settings = m_monitor.settings();
        settings.autoScale = (script.byte() & 1) != 0;
        settings.scaleTop = doubleFrom(script);
        settings.scaleBottom = doubleFrom(script);
        m_history += " activate (auto " + std::to_string(settings.autoScale) + ", " +
                     decimalText(settings.scaleTop) + ", " + decimalText(settings.scaleBottom) + ")";
        auto prepared = prepareSettings(settings, std::nullopt);
        FUZZ_EXPECT(prepared, m_history + ": " + (prepared ? std::string() : prepared.error().message));
        m_monitor.apply(std::move(*prepared));
        const std::string maxBefore = m_model.text(scaleTopEdit), minBefore = m_model.text(scaleBottomEdit);
        m_model.activate();
        if (settings.autoScale) {
            m_codeTexts.insert(scaleTopEdit);
            m_codeTexts.insert(scaleBottomEdit);
        } else {
            FUZZ_EXPECT(m_model.text(scaleTopEdit) == maxBefore && m_model.text(scaleBottomEdit) == minBefore,
                        m_history + ": typed Max/Min texts were replaced");
        }
        break;
    }
    case 6:
        m_history += " applied";
        m_model.setOkEnabled(false);
        break;
    case 7: {
        const std::string_view path = script.text();
        m_history += " path " + fuzzing::shown(path);
        m_model.setText(dataFileEdit, std::string(path));
        FUZZ_EXPECT(m_model.text(dataFileEdit) == path, m_history);
        break;
    }
    case 8: {
        // Every name, also ones the dialog lacks, on a dialog of its own so
        // that the rules above still hold for this one.
        static constexpr std::string_view kNames[] = {
            "txtIniMaxY", "txtViewSave", "cmbDelimit", "cmdViewSave", "chkIniMaxY", "OKButton",
            "frameData",  "scrV",        "lstNone",    "txtNone",     "TxtIniMaxY", ""};
        const std::string_view name = kNames[script.byte() % std::size(kNames)];
        const bool enable = (script.byte() & 1) != 0;
        Monitor monitor;
        DialogModel other(monitor);
        other.setControlEnabled("txtIniMaxY", !enable);
        other.setControlEnabled("cmdViewSave", !enable);
        std::array<ControlState, kDialogControlCount> before;
        for (int i = 0; i < kDialogControlCount; ++i)
            before[static_cast<std::size_t>(i)] = other.control(static_cast<DialogControl>(i));
        other.setControlEnabled(name, enable);
        const std::string what =
            "setControlEnabled(" + std::string(name) + ", " + std::to_string(enable) + ")";
        const std::string_view prefix = name.substr(0, 3);
        for (int i = 0; i < kDialogControlCount; ++i) {
            const auto c = static_cast<DialogControl>(i);
            ControlState want = before[static_cast<std::size_t>(i)];
            if (controlName(c) == name && (prefix == "txt" || prefix == "cbo" || prefix == "cmb")) {
                want.locked = !enable;
                want.backColour = enable ? kWhite : kActiveBorderColour;
            } else if (controlName(c) == name && (prefix == "lst" || prefix == "cmd" || prefix == "opt" ||
                                                  prefix == "chk" || prefix == "lbl")) {
                want.enabled = enable;
            }
            FUZZ_EXPECT(sameState(other.control(c), want),
                        what + " left " + std::string(controlName(c)) + " wrong");
        }
        break;
    }
    }
}

void DialogRun::checkRules(const char* step) {
    const auto context = [&] { return m_history + " (" + step + ")"; };
    const auto text = [&](DialogControl c) { return m_model.text(c); };
    const auto value = [&](DialogControl c) { return m_model.value(c); };
    for (const DialogControl f : kDigitFields)
        FUZZ_EXPECT(text(f).find_first_not_of("0123456789") == std::string::npos,
                    context() + ": " + std::string(controlName(f)) + " holds " + fuzzing::shown(text(f)));
    for (const DialogControl f : {scaleTopEdit, scaleBottomEdit})
        if (!m_codeTexts.contains(f))
            FUZZ_EXPECT(text(f).find_first_not_of("0123456789-.") == std::string::npos,
                        context() + ": " + std::string(controlName(f)) + " holds " + fuzzing::shown(text(f)));
    FUZZ_EXPECT(text(thresholdEdit).size() <= 3,
                context() + ": threshold " + fuzzing::shown(text(thresholdEdit)));
    FUZZ_EXPECT(value(pollIntervalEdit) >= 1 && value(pollIntervalEdit) <= 65535,
                context() + ": interval " + text(pollIntervalEdit));
    FUZZ_EXPECT(value(replayPauseEdit) >= 0 && value(replayPauseEdit) <= 65535,
                context() + ": pace " + text(replayPauseEdit));
    FUZZ_EXPECT(value(thresholdEdit) >= 0 && value(thresholdEdit) <= 100,
                context() + ": threshold " + text(thresholdEdit));
    FUZZ_EXPECT(value(pointsPerViewEdit) >= 1, context() + ": points per view " + text(pointsPerViewEdit));
    FUZZ_EXPECT(value(pageSizeEdit) >= 1, context() + ": points per page " + text(pageSizeEdit));

    // Fields that lock together with their check box.
    const auto locked = [&](DialogControl c) { return m_model.control(c).locked; };
    const auto checked = [&](DialogControl c) { return m_model.control(c).checked; };
    FUZZ_EXPECT(locked(scaleTopEdit) == checked(autoScaleCheck) &&
                    locked(scaleBottomEdit) == checked(autoScaleCheck),
                context() + ": Max/Min lock");
    FUZZ_EXPECT(locked(sweepFolderEdit) != checked(saveSweepImagesCheck) &&
                    m_model.control(browseSweepFolderButton).enabled == checked(saveSweepImagesCheck),
                context() + ": bitmap folder lock");
    FUZZ_EXPECT(locked(previewBytesEdit) != checked(previewCheck), context() + ": preview size lock");
    for (const DialogControl f :
         {dataFileEdit, previewBytesEdit, replayPauseEdit, pollIntervalEdit, pageSizeEdit, pointsPerViewEdit,
          thresholdEdit, scaleTopEdit, scaleBottomEdit, sweepFolderEdit, delimiterCombo})
        FUZZ_EXPECT(m_model.control(f).backColour == (locked(f) ? kActiveBorderColour : kWhite),
                    context() + ": background of " + std::string(controlName(f)));

    // What the list and the box write at once, and the spin's field.
    const int index = m_model.control(delimiterCombo).listIndex;
    const MonitorSettings& settings = m_monitor.settings();
    FUZZ_EXPECT(settings.delimiterName == (index < 0 ? std::string() : std::string(kDelimiterNames[index])),
                context() + ": delimiter " + settings.delimiterName);
    FUZZ_EXPECT(settings.skipDelimiterRuns == checked(skipDelimiterRunsCheck),
                context() + ": delimiter runs");
    FUZZ_EXPECT(text(columnEdit) == std::to_string(m_model.control(columnScrollBar).value),
                context() + ": field number");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Script script(data, size);
    DialogRun run;
    run.checkRules("shown");
    while (!script.done()) {
        run.step(script);
        run.checkRules("after the step");
    }
    return 0;
}
