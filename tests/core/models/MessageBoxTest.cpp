#include "models/MessageBox.h"
#include "support/FakeMessageBoxes.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <tuple>

namespace {

using enum MessageButton;

TEST(ShowMessage, NormalisesThePressedButtonAndClosingIsTheNegativeAnswer) {
    // The kind, the button pressed (nothing: the box could not be shown), the
    // answer, and what closing the box reports.
    const std::tuple<int, std::optional<MessageButton>, std::optional<int>, MessageButton> cases[] = {
        {1, Ok, 1, Ok},         {2, Yes, 1, No}, {2, No, 2, No}, {3, No, 2, Cancel},
        {3, Cancel, 3, Cancel}, {4, Yes, 1, No}, {5, Ok, 1, Ok}, {6, Cancel, 3, Cancel},
        {7, Ok, 1, Ok},         {9, Ok, 1, Ok},  {0, Ok, 1, Ok}, {3, std::nullopt, std::nullopt, Cancel},
    };
    for (const auto& [kind, pressed, answer, escape] : cases) {
        FakeMessageBoxes presenter;
        presenter.answer = pressed;
        presenter.unavailable = !pressed;
        EXPECT_EQ(showMessage(presenter, "text", kind), answer) << "kind " << kind;
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.shown[0], messageBoxOfKind("text", kind));
        EXPECT_EQ(presenter.shown[0].escapeButton, escape) << "kind " << kind;
    }
}

// The last report of a handler: whatever the presenter does, it ends here.
TEST(PresentSafely, GivesThePressedButtonOrNothingWhenTheBoxFails) {
    struct ThrowingPresenter : MessageBoxPresenter {
        std::optional<MessageButton> present(const MessageBoxDescription&) override {
            throw std::runtime_error("no");
        }
    };
    ThrowingPresenter throwing;
    EXPECT_EQ(presentSafely(throwing, programMessageBox("text")), std::nullopt);
    FakeMessageBoxes presenter;
    presenter.answer = Cancel;
    EXPECT_EQ(presentSafely(presenter, messageBoxOfKind("text", 6)), Cancel);
    presenter.unavailable = true;
    EXPECT_EQ(presentSafely(presenter, programMessageBox("text")), std::nullopt);
}

} // namespace
