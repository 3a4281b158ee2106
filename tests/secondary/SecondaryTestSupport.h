#pragma once
// Stand-ins for what the secondary windows reach outside themselves.

#include "core/MessageBox.h"

#include <optional>
#include <string>
#include <vector>

// Records every box and answers with its default button.
class RecordingBoxes : public MessageBoxPresenter {
public:
    std::vector<MessageBoxDescription> shown;
    std::optional<MessageButton> present(const MessageBoxDescription& box) override {
        shown.push_back(box);
        return box.defaultButton;
    }
};
