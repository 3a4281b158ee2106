#include "models/MessageBox.h"

namespace {

const std::string kConfirm = "確認";
const std::string kWarning = "警告";
const std::string kError = "エラー";

MessageBoxDescription okBox(std::string caption, const std::string& text, MessageIcon icon) {
    return {std::move(caption), text, {MessageButton::Ok}, MessageButton::Ok, MessageButton::Ok, icon};
}

} // namespace

MessageBoxDescription messageBoxOfKind(const std::string& text, int kind) {
    using enum MessageButton;
    switch (kind) {
    case 2:
        return {kConfirm, text, {Yes, No}, No, No, MessageIcon::None};
    case 3:
        return {kConfirm, text, {Yes, No, Cancel}, Cancel, Cancel, MessageIcon::None};
    case 4:
        return {kWarning, text, {Yes, No}, No, No, MessageIcon::Exclamation};
    case 5:
        return okBox(kError, text, MessageIcon::Stop);
    case 6:
        return {kConfirm, text, {Ok, Cancel}, Cancel, Cancel, MessageIcon::None};
    case 7:
        return okBox(kWarning, text, MessageIcon::Exclamation);
    default:
        return okBox(kConfirm, text, MessageIcon::None);
    }
}

int messageAnswer(int kind, MessageButton pressed) {
    switch (kind) {
    case 2:
    case 4:
        return pressed == MessageButton::Yes ? 1 : 2;
    case 3:
        if (pressed == MessageButton::Yes)
            return 1;
        return pressed == MessageButton::Cancel ? 3 : 2;
    case 6:
        return pressed == MessageButton::Ok ? 1 : 3;
    default:
        return 1;
    }
}

std::optional<int> showMessage(MessageBoxPresenter& presenter, const std::string& text, int kind) {
    const auto pressed = presenter.present(messageBoxOfKind(text, kind));
    if (!pressed)
        return std::nullopt;
    return messageAnswer(kind, *pressed);
}

MessageBoxDescription programMessageBox(const std::string& text) {
    return okBox(std::string(kProgramTitle), text, MessageIcon::None);
}

std::optional<MessageButton> presentSafely(MessageBoxPresenter& presenter,
                                           const MessageBoxDescription& box) noexcept {
    try {
        return presenter.present(box);
    } catch (...) {
        return std::nullopt;
    }
}
