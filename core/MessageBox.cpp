#include "core/MessageBox.h"

namespace {

const std::string kConfirm = "確認";
const std::string kWarning = "警告";
const std::string kError = "エラー";

MessageBoxDescription okBox(std::string caption, const std::string& text, MessageIcon icon) {
    return {std::move(caption), text, {MessageButton::Ok}, MessageButton::Ok, MessageButton::Ok, icon};
}

} // namespace

MessageBoxDescription showMsgBox(const std::string& strMsg, int intKind) {
    using enum MessageButton;
    switch (intKind) {
    case 2:
        return {kConfirm, strMsg, {Yes, No}, No, No, MessageIcon::None};
    case 3:
        return {kConfirm, strMsg, {Yes, No, Cancel}, Cancel, Cancel, MessageIcon::None};
    case 4:
        return {kWarning, strMsg, {Yes, No}, No, No, MessageIcon::Exclamation};
    case 5:
        return okBox(kError, strMsg, MessageIcon::Stop);
    case 6:
        return {kConfirm, strMsg, {Ok, Cancel}, Cancel, Cancel, MessageIcon::None};
    case 7:
        return okBox(kWarning, strMsg, MessageIcon::Exclamation);
    default:
        return okBox(kConfirm, strMsg, MessageIcon::None);
    }
}

int showMsgAnswer(int intKind, MessageButton pressed) {
    switch (intKind) {
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

int ShowMsg(MessageBoxPresenter& presenter, const std::string& strMsg, int intKind) {
    const auto pressed = presenter.present(showMsgBox(strMsg, intKind));
    if (!pressed)
        return -1;
    return showMsgAnswer(intKind, *pressed);
}

MessageBoxDescription programMessageBox(const std::string& text) {
    return okBox("Trendola", text, MessageIcon::None);
}
