#include "platform/widgets/MessageBox.h"

#include <gtest/gtest.h>

namespace {

using enum MessageButton;

TEST(ShowMsg, ClosingABoxCountsAsItsNegativeAnswer) {
    // Closing reports the escape button, which must be the negative one.
    const std::pair<int, MessageButton> expected[] = {{1, Ok}, {2, No},     {3, Cancel}, {4, No},
                                                      {5, Ok}, {6, Cancel}, {7, Ok},     {9, Ok}};
    for (const auto& [kind, escape] : expected)
        EXPECT_EQ(showMsgBox("", kind).escapeButton, escape) << "kind " << kind;
}

class ScriptedPresenter : public MessageBoxPresenter {
public:
    std::optional<MessageButton> answer;
    std::vector<MessageBoxDescription> shown;
    std::optional<MessageButton> present(const MessageBoxDescription& box) override {
        shown.push_back(box);
        return answer;
    }
};

struct AnswerCase {
    int kind;
    std::optional<MessageButton> pressed; // nothing: the box could not be shown
    int answer;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << "kind " << c.kind << " answer " << c.answer;
}

class ShowMsgAnswers : public testing::TestWithParam<AnswerCase> {};

TEST_P(ShowMsgAnswers, AreNormalised) {
    const auto& c = GetParam();
    ScriptedPresenter presenter;
    presenter.answer = c.pressed;
    EXPECT_EQ(ShowMsg(presenter, "text", c.kind), c.answer);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0], showMsgBox("text", c.kind));
}

INSTANTIATE_TEST_SUITE_P(PressedButtons, ShowMsgAnswers,
                         testing::Values(AnswerCase{1, Ok, 1}, AnswerCase{2, Yes, 1}, AnswerCase{2, No, 2},
                                         AnswerCase{3, Yes, 1}, AnswerCase{3, No, 2},
                                         AnswerCase{3, Cancel, 3}, AnswerCase{4, Yes, 1},
                                         AnswerCase{4, No, 2}, AnswerCase{5, Ok, 1}, AnswerCase{6, Ok, 1},
                                         AnswerCase{6, Cancel, 3}, AnswerCase{7, Ok, 1}, AnswerCase{0, Ok, 1},
                                         AnswerCase{8, Ok, 1}, AnswerCase{1, std::nullopt, -1},
                                         AnswerCase{3, std::nullopt, -1}, AnswerCase{6, std::nullopt, -1}));

} // namespace
