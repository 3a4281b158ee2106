#include "core/DialogModel.h"
#include "core/MonitorState.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

// Names in failure messages rather than bytes.
inline std::ostream& operator<<(std::ostream& os, DialogControl c) {
    return os << controlName(c);
}

namespace {

using enum DialogControl;

// The user typing `keys` into a field whose whole text is selected: the first
// key replaces the selection, the others go to the end; '\b' is Backspace.
void typeInto(DialogModel& model, DialogControl field, std::string_view keys) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const char key = keys[i];
        const std::size_t size = model.text(field).size();
        if (!DialogModel::keyAccepted(field, static_cast<unsigned char>(key)))
            continue;
        if (key == '\b')
            model.userEdit(field, size - std::min<std::size_t>(size, 1), 1, "");
        else
            model.userEdit(field, i == 0 ? 0 : size, i == 0 ? size : 0, std::string_view(&key, 1));
    }
}

struct DialogFixture : testing::Test {
    DialogFixture() { LoadMonitorDefaults(state); }
    MonitorState state;
};

TEST_F(DialogFixture, StartsWithTheInitialContentsAndTheLoadingSteps) {
    state.strInFile = "/data/log.csv";
    state.strDelimit.clear();
    state.blnDelimitSkip = true;
    DialogModel model(state);
    const struct {
        DialogControl field;
        const char* text;
        bool locked;
        std::uint32_t back;
    } fields[] = {
        {txtInFile, "/data/log.csv", false, kColorWhite}, {txtDatTest, "", true, kColorInactiveBorder},
        {txtPreView, "1000", true, kColorActiveBorder},   {txtViewSave, "", true, kColorActiveBorder},
        {txtIniInterval, "1000", false, kColorWhite},     {txtRange, "5000", false, kColorWhite},
        {cmbDelimit, "カンマ", false, kColorWhite},
    };
    for (const auto& f : fields) {
        EXPECT_EQ(model.text(f.field), f.text) << f.field;
        EXPECT_EQ(model.control(f.field).locked, f.locked) << f.field;
        EXPECT_EQ(model.control(f.field).backColor, f.back) << f.field;
    }
    EXPECT_EQ(state.strDelimit, "カンマ") << "an empty delimiter takes the list's choice";
    EXPECT_FALSE(model.control(chkDelimit).checked) << "never loaded from the setting";
    EXPECT_FALSE(model.control(cmdViewSave).enabled);
    EXPECT_TRUE(model.okEnabled());
}

TEST_F(DialogFixture, TypingAndPastingFollowTheKeyAndChangeRules) {
    const std::string digits30(30, '7');
    const struct {
        DialogControl field;
        std::string keys;
        bool pasted;
        std::string result;
    } cases[] = {
        {txtIniInterval, "70000", false, "65535"},
        {txtIniInterval, "\b\b\b\b\b", false, "1"}, // deleting all of it
        {txtIniInterval, "2x5", false, "25"},
        {txtSpeed, "5\b", false, "0"},
        {txtIniLimit, "250", false, "100"},
        {txtIniLimit, "2500", false, "100"}, // a fourth character cannot be entered
        {txtIniLimit, "\b\b", false, "0"},
        {txtIniXmem, digits30, false, digits30}, // no upper bound
        {txtIniXmem, "0", false, "1"},
        {txtRange, "0", false, "1"},
        {txtRange, "00", true, "1"},
        {txtRange, "abc", false, "5000"},
        {txtIniMaxY, "1-2", false, "1-2"},
        {txtIniMaxY, "1.2.3a", false, "1.2.3"},
        {txtDatCol, "5", false, "1"}, // read-only
        {txtIniInterval, "1a2b3", true, "123"},
        {txtIniInterval, "abc", true, "1000"},  // nothing accepted: the paste is refused
        {txtIniInterval, "１２", true, "1000"}, // full-width digits are not digits
        {txtIniLimit, "12345", true, "100"},    // cut to three characters, then the rule
        {txtIniMaxY, "-1.5e3", true, "-1.53"},
        {txtInFile, "/データ/a b.csv", true, "/データ/a b.csv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(controlName(c.field)) + " <- " + c.keys);
        DialogModel model(state);
        if (c.pasted)
            model.userEdit(c.field, 0, model.text(c.field).size(), c.keys);
        else
            typeInto(model, c.field, c.keys);
        EXPECT_EQ(model.text(c.field), c.result);
    }
}

TEST_F(DialogFixture, RuleResultsAreStableWhateverTheText) {
    // Code placing a text runs the rule like typing; a replacement runs it once
    // more. Every result must satisfy its rule, so placing it again in a fresh
    // dialog changes nothing.
    const std::string huge(400, '9');
    const std::vector<std::string> texts = {"",   "0",        "00", "-5",      "1e999",
                                            huge, "-" + huge, "x",  "65535.9", "100.4"};
    for (DialogControl field : {txtIniInterval, txtSpeed, txtIniLimit, txtIniXmem, txtRange}) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(std::string(controlName(field)) + " <- " + text.substr(0, 12));
            DialogModel model(state);
            std::vector<DialogControl> changed;
            model.setChangeListener([&](DialogControl c) { changed.push_back(c); });
            model.setText(field, text);
            EXPECT_LE(std::count(changed.begin(), changed.end(), field), 2);
            DialogModel fresh(state);
            fresh.setText(field, model.text(field));
            EXPECT_EQ(fresh.text(field), model.text(field));
        }
    }
}

TEST_F(DialogFixture, OnlyARealChangeEnablesOk) {
    DialogModel model(state);
    model.setOkEnabled(false);
    model.setText(txtIniXmem, "500");
    model.setText(txtPreView, "7");
    model.setChecked(chkIniMaxY, false);
    model.setChecked(chkDelimit, true);
    EXPECT_FALSE(model.okEnabled()) << "same text; byte count, Max/Min box and chkDelimit have no OK rule";
    for (DialogControl field : {txtDatCol, txtIniMaxY, txtViewSave, txtInFile}) {
        model.setOkEnabled(false);
        model.setText(field, "7");
        EXPECT_TRUE(model.okEnabled()) << field;
    }
    model.setOkEnabled(false);
    EXPECT_TRUE(model.setSpinValue(9));
    EXPECT_EQ(model.text(txtDatCol), "9");
    EXPECT_TRUE(model.okEnabled());
    EXPECT_FALSE(model.setSpinValue(1001));
    EXPECT_EQ(state.intDatCol, 1) << "the setting changes only on applying";
}

TEST_F(DialogFixture, DelimiterChoicesWriteTheSettingsAtOnceAndOutliveTheDialog) {
    {
        DialogModel model(state);
        ASSERT_TRUE(model.selectDelimiter("タブ"));
        model.setChecked(chkDelimit, true);
        EXPECT_FALSE(model.selectDelimiter("pipe"));
    } // closed: nothing applied
    EXPECT_EQ(state.strDelimit, "タブ");
    EXPECT_TRUE(state.blnDelimitSkip);

    state.lngInterval = 250;
    state.strInFile = "/in/force.csv";
    DialogModel reopened(state);
    EXPECT_EQ(reopened.text(txtIniInterval), "1000");
    EXPECT_EQ(reopened.text(txtInFile), "/in/force.csv");
    EXPECT_EQ(reopened.text(cmbDelimit), "タブ");
    EXPECT_FALSE(reopened.control(chkDelimit).checked);
}

TEST_F(DialogFixture, CheckBoxesUnlockTheirFields) {
    DialogModel model(state);
    int previews = 0;
    model.setPreviewRule([&] { ++previews; });
    const struct {
        DialogControl box;
        bool checked;
        std::vector<DialogControl> usable, unusable;
    } steps[] = {
        {chkIniMaxY, false, {txtIniMaxY, txtIniMinY}, {}},
        {chkIniMaxY, true, {}, {txtIniMaxY, txtIniMinY}},
        {chkViewSave, true, {txtViewSave, cmdViewSave}, {}},
        {chkViewSave, false, {}, {txtViewSave, cmdViewSave}},
        {chkPreView, true, {txtPreView}, {}},
        {chkPreView, false, {}, {txtPreView}},
    };
    const auto usable = [&](DialogControl c) {
        const ControlState& s = model.control(c);
        EXPECT_EQ(s.backColor, s.locked ? kColorActiveBorder : kColorWhite) << c;
        return s.enabled && !s.locked;
    };
    for (const auto& s : steps) {
        model.setChecked(s.box, s.checked);
        for (DialogControl c : s.usable)
            EXPECT_TRUE(usable(c)) << s.box << " " << s.checked << ": " << c;
        for (DialogControl c : s.unusable)
            EXPECT_FALSE(usable(c)) << s.box << " " << s.checked << ": " << c;
    }
    EXPECT_EQ(previews, 1) << "ticking the preview runs txtInFile's change rule once";
}

TEST_F(DialogFixture, ActivationShowsTheScaleInForce) {
    DialogModel model(state);
    state.dblMaxY = 1e15;
    state.dblMinY = -0.25;
    model.setOkEnabled(false);
    model.activate();
    EXPECT_EQ(model.text(txtIniMaxY), "1E+15");
    EXPECT_EQ(model.text(txtIniMinY), "-0.25");
    EXPECT_DOUBLE_EQ(model.value(txtIniMaxY), 1e15) << "reads back as the same value";
    EXPECT_EQ(model.control(txtIniMinY).backColor, kColorActiveBorder);
    EXPECT_TRUE(model.okEnabled()) << "the scale moved since the texts were written";
    model.setOkEnabled(false);
    model.activate();
    EXPECT_FALSE(model.okEnabled());

    state.blnAutoMaxMin = false;
    state.dblMaxY = 42;
    state.strDelimit = "セミコロン";
    model.activate();
    EXPECT_FALSE(model.control(chkIniMaxY).checked);
    EXPECT_FALSE(model.control(txtIniMaxY).locked);
    EXPECT_EQ(model.text(txtIniMaxY), "1E+15") << "texts are not touched";
    EXPECT_EQ(model.text(cmbDelimit), "セミコロン");
}

TEST_F(DialogFixture, SetCtlEnabledActsByNamePrefix) {
    const struct {
        const char* name;
        DialogControl control;
        bool locks, disables;
    } cases[] = {
        {"txtRange", txtRange, true, false},
        {"cmbDelimit", cmbDelimit, true, false},
        {"cmdFileEnd", cmdFileEnd, false, true},
        {"chkPreView", chkPreView, false, true},
        {"scrV", scrV, false, false},
        {"frameData", frameData, false, false},
        {"OKButton", OKButton, false, false},
        {"TxtRange", txtRange, false, false},
    };
    for (const auto& c : cases) {
        DialogModel model(state);
        model.SetCtlEnabled(c.name, false);
        const ControlState& after = model.control(c.control);
        EXPECT_EQ(after.locked, c.locks) << c.name;
        EXPECT_EQ(after.backColor, c.locks ? kColorActiveBorder : kColorWhite) << c.name;
        EXPECT_EQ(after.enabled, !c.disables) << c.name;
    }
}

} // namespace
