#include "core/FieldSelector.h"
#include "core/DialogModel.h"
#include "core/MonitorState.h"
#include "tests/support/FakeMonitorView.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(FieldSelector, AnotherValidFieldStartsTheGraphAfresh) {
    MonitorState state;
    LoadMonitorDefaults(state);
    state.strInFile = "/data/in.csv";
    state.lngDatPos = 0; // a drawn sample, to see whether a change empties the buffer
    state.DatBuf[0].DVal = 9;
    state.dblNowMax = 50;
    state.dblNowMin = -5;
    FakeMonitorView view;
    std::optional<DialogModel> dialog;
    FieldSelector selector{state, view,
                           [&]() -> DialogModel& { return dialog ? *dialog : dialog.emplace(state); }};
    for (const char* text : {"1", "abc", "0", "1001", ""})
        selector.setWatchText(text);
    EXPECT_FALSE(selector.setSpinValue(1001));
    EXPECT_EQ(state.lngDatPos, 0) << "no change of field, so the buffer stays";
    EXPECT_FALSE(dialog);

    int changes = 0;
    selector.setChangeListener([&] { ++changes; });
    ASSERT_TRUE(selector.setSpinValue(2));
    EXPECT_EQ(selector.watchText(), "2");
    EXPECT_EQ(state.intDatCol, 2);
    EXPECT_EQ(std::tuple(state.dblNowMax, state.dblNowMin, state.DatBuf[0].DVal, state.lngDatPos),
              std::tuple(0.0, 0.0, 0.0, -1));
    EXPECT_EQ(view.scaleLabels[0], "0") << "the scale labels were rebuilt";
    EXPECT_EQ(changes, 2) << "the spin, then the text; the pair ends its own recursion";
    ASSERT_TRUE(dialog) << "a missing dialog is created";
    EXPECT_EQ(dialog->text(DialogControl::txtInFile), "/data/in.csv") << "after its loading steps";
    EXPECT_EQ(dialog->control(DialogControl::scrV).value, 2);
    selector.setWatchText("12");
    EXPECT_EQ(selector.spinValue(), 12) << "a text placed by code moves the spin";

    state.lngXmem = static_cast<std::int32_t>(kMaxBufferSlots);
    selector.setSpinValue(4);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: (1007) \r\nOut of memory"});
    EXPECT_EQ(state.DatBuf.size(), 1u) << "a buffer beyond the limit is reported, not overrun";
    EXPECT_EQ(state.lngDatPos, -1);
}

} // namespace
