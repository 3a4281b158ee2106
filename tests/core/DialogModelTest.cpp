#include "core/DialogModel.h"
#include "core/MonitorState.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <tuple>
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

TEST_F(DialogFixture, TypingAndPastingFollowTheKeyAndChangeRules) {
    const std::string digits30(30, '7');
    const std::tuple<DialogControl, std::string, bool, std::string> cases[] = {
        {txtIniInterval, "70000", false, "65535"},
        {txtIniInterval, "\b\b\b\b\b", false, "1"}, // deleting all of it
        {txtSpeed, "5\b", false, "0"},
        {txtSpeed, "70000", false, "65535"},
        {txtIniLimit, "5\b", false, "0"}, // clearing the threshold
        {txtIniLimit, "0005", true, "0"}, // cut to "000" before its rule
        {txtIniXmem, "0", false, "1"},
        {txtIniLimit, "250", false, "100"},
        {txtIniXmem, digits30, false, digits30}, // no upper bound
        {txtRange, "0", false, "1"},
        {txtRange, "00", true, "1"},
        {txtRange, "abc", false, "5000"},
        {txtDatCol, "5", false, "1"}, // read-only
        {txtIniInterval, "1a2b3", true, "123"},
        {txtIniInterval, "１２", true, "1000"}, // nothing accepted: the paste is refused
        {txtIniLimit, "12345", true, "100"},    // cut to three characters, then the rule
        {txtIniMaxY, "-1.5e3", true, "-1.53"},
    };
    for (const auto& [field, keys, pasted, result] : cases) {
        DialogModel model(state);
        if (pasted)
            model.userEdit(field, 0, model.text(field).size(), keys);
        else
            typeInto(model, field, keys);
        EXPECT_EQ(model.text(field), result) << field << " <- " << keys;
    }
}

TEST_F(DialogFixture, OnlyARealChangeOfASettingEnablesOk) {
    const std::pair<std::function<void(DialogModel&)>, bool> changes[] = {
        {[](DialogModel& m) { m.setText(txtIniXmem, "500"); }, false}, // the same text is no change
        {[](DialogModel& m) { m.setText(txtPreView, "7"); }, false},
        {[](DialogModel& m) { m.setChecked(chkDelimit, true); }, false},
        {[](DialogModel& m) { m.setChecked(chkIniMaxY, false); }, false},
        {[](DialogModel& m) { m.setChecked(chkPreView, true); }, true}, // runs the path field's rule
        {[](DialogModel& m) { m.setText(txtDatTest, "7"); }, false},
        {[](DialogModel& m) { m.setText(txtIniMaxY, "7"); }, true},
        {[](DialogModel& m) { m.setText(txtIniMinY, "7"); }, true},
        {[](DialogModel& m) { m.setText(txtInFile, "/a.csv"); }, true},
        {[](DialogModel& m) { m.setText(txtViewSave, "/tmp"); }, true},
        {[](DialogModel& m) { m.setText(txtSpeed, "7"); }, true},
        {[](DialogModel& m) { m.setText(txtIniInterval, "7"); }, true},
        {[](DialogModel& m) { m.setText(txtIniLimit, "7"); }, true},
        {[](DialogModel& m) { m.setText(txtRange, "7"); }, true},
        {[](DialogModel& m) { m.setSpinValue(7); }, true},
        {[](DialogModel& m) { m.selectDelimiter(2); }, true},
        {[](DialogModel& m) { m.setChecked(chkViewSave, true); }, true},
    };
    for (std::size_t row = 0; row < std::size(changes); ++row) {
        DialogModel model(state);
        model.setOkEnabled(false);
        changes[row].first(model);
        EXPECT_EQ(model.okEnabled(), changes[row].second) << "row " << row;
    }
}

TEST_F(DialogFixture, LocksFollowTheirBoxesAndTheControlsKind) {
    DialogModel model(state);
    // Loading locks what only its box unlocks.
    EXPECT_TRUE(model.control(txtViewSave).locked);
    EXPECT_FALSE(model.control(cmdViewSave).enabled);
    EXPECT_TRUE(model.control(txtPreView).locked);
    model.setChecked(chkPreView, true);
    EXPECT_FALSE(model.control(txtPreView).locked) << "the byte count can be typed";
    model.setChecked(chkPreView, false);
    EXPECT_TRUE(model.control(txtPreView).locked);
    // Names of other kinds are left alone.
    for (const char* name : {"frameData", "scrV", "OKButtonX", "txt"}) {
        model.SetCtlEnabled(name, false);
    }
    EXPECT_TRUE(model.control(frameData).enabled);
    EXPECT_TRUE(model.control(scrV).enabled);
    model.SetCtlEnabled("OKButton", false);
    EXPECT_TRUE(model.control(OKButton).enabled) << "\"OKB\" is no prefix that switches anything";
}

TEST_F(DialogFixture, ActivationShowsTheScaleInForceReadableAsTheSameValue) {
    DialogModel model(state);
    state.dblMaxY = 1e15;
    state.dblMinY = -0.25;
    model.setOkEnabled(false);
    model.activate();
    EXPECT_EQ(model.text(txtIniMaxY), "1E+15");
    EXPECT_EQ(model.text(txtIniMinY), "-0.25");
    EXPECT_DOUBLE_EQ(model.value(txtIniMaxY), 1e15);
    EXPECT_TRUE(model.okEnabled()) << "the scale moved since the texts were written";
    state.strDelimit = "タブ"; // changed elsewhere while the dialog was open
    model.activate();
    EXPECT_EQ(model.text(cmbDelimit), "タブ") << "the delimiter in force is selected again";
    state.blnAutoMaxMin = false;
    state.dblMaxY = 42;
    model.activate();
    EXPECT_FALSE(model.control(txtIniMaxY).locked);
    EXPECT_EQ(model.text(txtIniMaxY), "1E+15") << "texts are not touched";
}

} // namespace
