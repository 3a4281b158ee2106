#include "models/ColumnSelector.h"
#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "support/FakeMonitorView.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

TEST(FieldSelector, AnotherValidFieldStartsTheGraphAfresh) {
    MonitorState state;
    LoadMonitorDefaults(state);
    state.dataFile = "/data/in.csv";
    state.newestSlot = 0; // a drawn sample, to see whether a change empties the buffer
    state.samples[0].value = 9;
    state.highest = 50;
    state.lowest = -5;
    FakeMonitorView view;
    std::optional<DialogModel> dialog;
    FieldSelector selector{state, view,
                           [&]() -> DialogModel& { return dialog ? *dialog : dialog.emplace(state); }};
    for (const char* text : {"1", "abc", "0", "1001", ""})
        selector.setWatchText(text);
    EXPECT_FALSE(selector.setSpinValue(1001));
    EXPECT_EQ(state.newestSlot, 0) << "no change of field, so the buffer stays";
    EXPECT_FALSE(dialog);

    int changes = 0;
    selector.setChangeListener([&] { ++changes; });
    ASSERT_TRUE(selector.setSpinValue(2));
    EXPECT_EQ(selector.watchText(), "2");
    EXPECT_EQ(state.column, 2);
    EXPECT_EQ(std::tuple(state.highest, state.lowest, state.samples[0].value, state.newestSlot),
              std::tuple(0.0, 0.0, 0.0, -1));
    EXPECT_EQ(view.scaleLabels[0], "0") << "the scale labels were rebuilt";
    EXPECT_EQ(changes, 2) << "the spin, then the text; the pair ends its own recursion";
    ASSERT_TRUE(dialog) << "a missing dialog is created";
    EXPECT_EQ(dialog->text(DialogControl::dataFileEdit), "/data/in.csv") << "after its loading steps";
    EXPECT_EQ(dialog->control(DialogControl::columnScrollBar).value, 2);
    selector.setWatchText("12");
    EXPECT_EQ(selector.spinValue(), 12) << "a text placed by code moves the spin";

    state.pointsPerView = static_cast<std::int32_t>(kMaxBufferSlots);
    selector.setSpinValue(4);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: (1007) \r\nOut of memory"});
    EXPECT_EQ(state.samples.size(), 1u) << "a buffer beyond the limit is reported, not overrun";
    EXPECT_EQ(state.newestSlot, -1);
}

} // namespace
