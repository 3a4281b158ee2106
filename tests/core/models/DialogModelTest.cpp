#include "models/DialogModel.h"
#include "support/MonitorFixture.h"

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

using DialogFixture = MonitorFixture;

// The window finds each control by its object name.
TEST(ControlNames, AreTheWindowsObjectNamesBothWays) {
    const std::pair<DialogControl, std::string_view> names[] = {
        {dataFileEdit, "txtInFile"}, {columnScrollBar, "scrV"},     {thresholdEdit, "txtIniLimit"},
        {applyButton, "OKButton"},   {closeButton, "CancelButton"}, {imageOutputGroup, "frameOut"}};
    for (const auto& [control, name] : names)
        EXPECT_EQ(controlName(control), name);
    for (int i = 0; i < kDialogControlCount; ++i)
        EXPECT_EQ(controlNamed(controlName(static_cast<DialogControl>(i))), static_cast<DialogControl>(i));
    EXPECT_EQ(controlNamed("txtinfile"), std::nullopt) << "compared exactly";
}

TEST_F(DialogFixture, TypingAndPastingFollowTheKeyAndChangeRules) {
    const std::string digits30(30, '7');
    const std::tuple<DialogControl, std::string, bool, std::string> cases[] = {
        {pollIntervalEdit, "70000", false, "65535"},
        {pollIntervalEdit, "\b\b\b\b\b", false, "1"}, // deleting all of it
        {replayPauseEdit, "5\b", false, "0"},
        {replayPauseEdit, "70000", false, "65535"},
        {thresholdEdit, "5\b", false, "0"}, // clearing the threshold
        {thresholdEdit, "0005", true, "0"}, // cut to "000" before its rule
        {pointsPerViewEdit, "0", false, "1"},
        {thresholdEdit, "250", false, "100"},
        {pointsPerViewEdit, digits30, false, digits30}, // no upper bound
        {pageSizeEdit, "0", false, "1"},
        {pageSizeEdit, "00", true, "1"},
        {pageSizeEdit, "abc", false, "5000"},
        {columnEdit, "5", false, "1"}, // read-only
        {pollIntervalEdit, "1a2b3", true, "123"},
        {pollIntervalEdit, "１２", true, "1000"}, // nothing accepted: the paste is refused
        {thresholdEdit, "12345", true, "100"},    // cut to three characters, then the rule
        {scaleTopEdit, "-1.5e3", true, "-1.53"},
    };
    for (const auto& [field, keys, pasted, result] : cases) {
        DialogModel model(monitor);
        if (pasted)
            model.userEdit(field, 0, model.text(field).size(), keys);
        else
            typeInto(model, field, keys);
        EXPECT_EQ(model.text(field), result) << field << " <- " << keys;
    }
}

TEST_F(DialogFixture, OnlyARealChangeOfASettingEnablesOk) {
    const std::pair<std::function<void(DialogModel&)>, bool> changes[] = {
        {[](DialogModel& m) { m.setText(pointsPerViewEdit, "500"); }, false}, // the same text is no change
        {[](DialogModel& m) { m.setText(previewBytesEdit, "7"); }, false},
        {[](DialogModel& m) { m.setChecked(skipDelimiterRunsCheck, true); }, false},
        {[](DialogModel& m) { m.setChecked(autoScaleCheck, false); }, false},
        {[](DialogModel& m) { m.setChecked(previewCheck, true); }, true}, // runs the path field's rule
        {[](DialogModel& m) { m.setText(testResultEdit, "7"); }, false},
        {[](DialogModel& m) { m.setText(scaleTopEdit, "7"); }, true},
        {[](DialogModel& m) { m.setText(scaleBottomEdit, "7"); }, true},
        {[](DialogModel& m) { m.setText(dataFileEdit, "/a.csv"); }, true},
        {[](DialogModel& m) { m.setText(sweepFolderEdit, "/tmp"); }, true},
        {[](DialogModel& m) { m.setText(replayPauseEdit, "7"); }, true},
        {[](DialogModel& m) { m.setText(pollIntervalEdit, "7"); }, true},
        {[](DialogModel& m) { m.setText(thresholdEdit, "7"); }, true},
        {[](DialogModel& m) { m.setText(pageSizeEdit, "7"); }, true},
        {[](DialogModel& m) { m.setSpinValue(7); }, true},
        {[](DialogModel& m) { m.selectDelimiter(2); }, true},
        {[](DialogModel& m) { m.setChecked(saveSweepImagesCheck, true); }, true},
    };
    for (std::size_t row = 0; row < std::size(changes); ++row) {
        DialogModel model(monitor);
        model.setOkEnabled(false);
        changes[row].first(model);
        EXPECT_EQ(model.okEnabled(), changes[row].second) << "row " << row;
    }
}

TEST_F(DialogFixture, LocksFollowTheirBoxesAndTheControlsKind) {
    DialogModel model(monitor);
    // Loading locks what only its box unlocks.
    EXPECT_TRUE(model.control(sweepFolderEdit).locked);
    EXPECT_FALSE(model.control(browseSweepFolderButton).enabled);
    EXPECT_TRUE(model.control(previewBytesEdit).locked);
    model.setChecked(previewCheck, true);
    EXPECT_FALSE(model.control(previewBytesEdit).locked) << "the byte count can be typed";
    model.setChecked(previewCheck, false);
    EXPECT_TRUE(model.control(previewBytesEdit).locked);
    // Names of other kinds are left alone.
    for (const char* name : {"frameData", "scrV", "OKButtonX", "txt"}) {
        model.setControlEnabled(name, false);
    }
    EXPECT_TRUE(model.control(dataFileGroup).enabled);
    EXPECT_TRUE(model.control(columnScrollBar).enabled);
    model.setControlEnabled("OKButton", false);
    EXPECT_TRUE(model.control(applyButton).enabled) << "\"OKB\" is no prefix that switches anything";
}

TEST_F(DialogFixture, ActivationShowsTheScaleInForceReadableAsTheSameValue) {
    DialogModel model(monitor);
    monitor.scale().setEnds(1e15, -0.25);
    model.setOkEnabled(false);
    model.activate();
    EXPECT_EQ(model.text(scaleTopEdit), "1E+15");
    EXPECT_EQ(model.text(scaleBottomEdit), "-0.25");
    EXPECT_DOUBLE_EQ(model.value(scaleTopEdit), 1e15);
    EXPECT_TRUE(model.okEnabled()) << "the scale moved since the texts were written";
    monitor.setDelimiterName("タブ"); // changed elsewhere while the dialog was open
    model.activate();
    EXPECT_EQ(model.text(delimiterCombo), "タブ") << "the delimiter in force is selected again";
    MonitorSettings fixedScale;
    fixedScale.scaleTop = 42;
    fixedScale.autoScale = false;
    apply(fixedScale);
    model.activate();
    EXPECT_FALSE(model.control(scaleTopEdit).locked);
    EXPECT_EQ(model.text(scaleTopEdit), "1E+15") << "texts are not touched";
}

} // namespace
