#include "core/MessageBox.h"
#include "tests/support/FakeMessageBoxes.h"

#include <gtest/gtest.h>

namespace {

using enum MessageButton;

TEST(ShowMsg, NormalisesThePressedButtonAndClosingIsTheNegativeAnswer) {
    const struct {
        int kind;
        std::optional<MessageButton> pressed; // nothing: the box could not be shown
        int answer;
        MessageButton escape; // what closing the box reports
    } cases[] = {
        {1, Ok, 1, Ok},         {2, Yes, 1, No}, {2, No, 2, No}, {3, No, 2, Cancel},
        {3, Cancel, 3, Cancel}, {4, Yes, 1, No}, {5, Ok, 1, Ok}, {6, Cancel, 3, Cancel},
        {7, Ok, 1, Ok},         {9, Ok, 1, Ok},  {0, Ok, 1, Ok}, {3, std::nullopt, -1, Cancel},
    };
    for (const auto& c : cases) {
        FakeMessageBoxes presenter;
        presenter.answer = c.pressed;
        presenter.unavailable = !c.pressed;
        EXPECT_EQ(ShowMsg(presenter, "text", c.kind), c.answer) << "kind " << c.kind;
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.shown[0], showMsgBox("text", c.kind));
        EXPECT_EQ(presenter.shown[0].escapeButton, c.escape) << "kind " << c.kind;
    }
}

} // namespace
