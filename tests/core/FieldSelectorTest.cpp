#include "core/FieldSelector.h"
#include "FakeMonitorView.h"
#include "core/DialogModel.h"
#include "core/MonitorState.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct FieldSelectorFixture : testing::Test {
    FieldSelectorFixture() {
        LoadMonitorDefaults(state);
        state.lngRange = 5000;
        state.strInFile = "/data/in.csv";
    }

    // A buffer holding a drawn sample, to see whether a change emptied it.
    void fillBuffer() {
        state.DatBuf[0].DVal = 9;
        state.lngDatPos = 0;
        state.blnDatRound = true;
        state.dblNowMax = 50;
        state.dblNowMin = -5;
    }

    MonitorState state;
    FakeMonitorView view;
    std::optional<DialogModel> dialog;
    int dialogsCreated = 0;
    FieldSelector selector{state, view, [this]() -> DialogModel& {
                               if (!dialog) {
                                   dialog.emplace(state);
                                   ++dialogsCreated;
                               }
                               return *dialog;
                           }};
};

TEST_F(FieldSelectorFixture, AnotherFieldStartsTheGraphAfresh) {
    fillBuffer();
    int changes = 0;
    selector.setChangeListener([&] { ++changes; });

    ASSERT_TRUE(selector.setSpinValue(2));

    EXPECT_EQ(selector.watchText(), "2");
    EXPECT_EQ(state.intDatCol, 2);
    EXPECT_EQ(state.dblNowMax, 0);
    EXPECT_EQ(state.dblNowMin, 0);
    EXPECT_EQ(state.DatBuf.size(), 5001u) << "slots 0..max(lngRange, lngXmem)";
    EXPECT_EQ(state.DatBuf[0].DVal, 0);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_FALSE(state.blnDatRound);
    EXPECT_EQ(state.intScaleCnt, 100) << "the scale labels were rebuilt";
    EXPECT_EQ(view.scaleLabels[0], "0");
    EXPECT_EQ(changes, 2) << "the spin, then the text; the pair ends its own recursion";

    ASSERT_EQ(dialogsCreated, 1) << "a missing dialog is created";
    EXPECT_EQ(dialog->text(DialogControl::txtInFile), "/data/in.csv") << "after its loading steps";
    EXPECT_EQ(dialog->text(DialogControl::txtDatCol), "2");
    EXPECT_EQ(dialog->control(DialogControl::scrV).value, 2);

    state.lngXmem = 8000;
    dialog->setOkEnabled(false);
    selector.setSpinValue(1000);
    EXPECT_EQ(state.DatBuf.size(), 8001u);
    EXPECT_EQ(dialogsCreated, 1) << "an existing dialog is reused";
    EXPECT_TRUE(dialog->okEnabled()) << "the dialog's change rule ran";
}

TEST_F(FieldSelectorFixture, TheSameValueOrABadTextChangesNothing) {
    selector.setSpinValue(3);
    fillBuffer();
    for (const char* text : {"3", "abc", "0", "1001", "", "3"})
        selector.setWatchText(text);
    EXPECT_FALSE(selector.setSpinValue(0));
    EXPECT_FALSE(selector.setSpinValue(1001));
    EXPECT_EQ(selector.spinValue(), 3);
    EXPECT_EQ(state.lngDatPos, 0) << "no change of field, so the buffer stays";
    EXPECT_EQ(state.dblNowMax, 50);

    selector.setWatchText("12");
    EXPECT_EQ(selector.spinValue(), 12) << "a text placed by code moves the spin";
    EXPECT_EQ(state.intDatCol, 12);
    EXPECT_EQ(state.lngDatPos, -1);
}

TEST_F(FieldSelectorFixture, ABufferBeyondTheLimitIsReportedNotOverrun) {
    fillBuffer();
    state.lngXmem = static_cast<std::int32_t>(kMaxBufferSlots);
    selector.setSpinValue(4);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0], "Error: (7) \r\nOut of memory");
    EXPECT_EQ(state.DatBuf.size(), 1u);
    EXPECT_EQ(state.lngDatPos, -1);
    EXPECT_EQ(state.intDatCol, 4);
}

} // namespace
