#pragma once
// Message boxes for tests: each box is recorded and answered at once, so no
// test ever waits on a real box.

#include "models/MessageBox.h"

#include <optional>
#include <vector>

class FakeMessageBoxes : public MessageBoxPresenter {
public:
    std::vector<MessageBoxDescription> shown;
    // The button every box is answered with; its default button when unset.
    std::optional<MessageButton> answer;
    // Boxes cannot be shown at all.
    bool unavailable = false;

    std::optional<MessageButton> present(const MessageBoxDescription& box) override {
        shown.push_back(box);
        if (unavailable)
            return std::nullopt;
        return answer ? *answer : box.defaultButton;
    }
};
