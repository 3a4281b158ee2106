#include "models/ColumnSelector.h"
#include "models/DialogModel.h"
#include "support/MonitorFixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <tuple>

namespace {

using ColumnSelectorTest = MonitorFixture;

TEST_F(ColumnSelectorTest, AnotherValidColumnStartsTheGraphAfresh) {
    MonitorSettings settings;
    settings.dataFile = "/data/in.csv";
    apply(settings);
    monitor.samples().pushLive(9); // a drawn sample, to see whether a change empties the ring
    monitor.scale().takeHighest(50);
    monitor.scale().takeLowest(-5);
    std::optional<DialogModel> dialog;
    ColumnSelector selector{monitor, view,
                            [&]() -> DialogModel& { return dialog ? *dialog : dialog.emplace(monitor); }};
    for (const char* text : {"1", "abc", "0", "1001", ""})
        selector.setColumnText(text);
    EXPECT_FALSE(selector.setSpinValue(1001));
    EXPECT_EQ(monitor.samples().newestSlot(), 0) << "no change of column, so the ring stays";
    EXPECT_FALSE(dialog);

    int changes = 0;
    selector.setChangeListener([&] { ++changes; });
    view.log.clear();
    ASSERT_TRUE(selector.setSpinValue(2));
    EXPECT_EQ(selector.columnText(), "2");
    EXPECT_EQ(monitor.settings().column, 2);
    const SampleRing& ring = monitor.samples();
    EXPECT_EQ(
        std::tuple(monitor.scale().highest(), monitor.scale().lowest(), ring.at(0).value, ring.newestSlot()),
        std::tuple(0.0, 0.0, 0.0, -1));
    EXPECT_EQ(std::count_if(view.log.begin(), view.log.end(),
                            [](const std::string& entry) { return entry.starts_with("scaleLabel:"); }),
              kScaleLabelCount)
        << "the scale labels were rebuilt";
    EXPECT_EQ(changes, 2) << "the spin, then the text; the pair ends its own recursion";
    ASSERT_TRUE(dialog) << "a missing dialog is created";
    EXPECT_EQ(dialog->text(DialogControl::dataFileEdit), "/data/in.csv") << "after its loading steps";
    EXPECT_EQ(dialog->control(DialogControl::columnScrollBar).value, 2);
    selector.setColumnText("12");
    EXPECT_EQ(selector.spinValue(), 12) << "a text placed by code moves the spin";
    selector.showColumn(7);
    EXPECT_EQ(std::tuple(selector.columnText(), selector.spinValue(), monitor.settings().column),
              std::tuple("7", 7, 7));

    monitor.samples().setPointsPerView(static_cast<int>(kMaxSampleSlots));
    selector.setSpinValue(4);
    EXPECT_EQ(view.messages, std::vector<std::string>{"Error: (1007) \r\nメモリが足りません。"});
    EXPECT_EQ(monitor.samples().size(), 1u) << "a ring beyond the limit is reported, not overrun";
    EXPECT_EQ(monitor.samples().newestSlot(), -1);
}

} // namespace
