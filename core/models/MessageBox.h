#pragma once
// The program's modal message boxes. A box is described first (caption,
// text, buttons, default, icon) and shown through a presenter, which tests
// replace so that no test waits on a real box.

#include "base/ProgramVersion.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class MessageButton { Ok, Cancel, Yes, No };
enum class MessageIcon { None, Exclamation, Stop };

struct MessageBoxDescription {
    std::string caption;
    std::string text; // shown as plain text, never as markup
    std::vector<MessageButton> buttons;
    MessageButton defaultButton = MessageButton::Ok;
    // What closing the box with its close box or Escape counts as.
    MessageButton escapeButton = MessageButton::Ok;
    MessageIcon icon = MessageIcon::None;

    bool operator==(const MessageBoxDescription&) const = default;
};

class MessageBoxPresenter {
public:
    virtual ~MessageBoxPresenter() = default;
    // Shows the box modally and returns the button pressed (the escape button
    // when the box was closed). Nothing when the box cannot be shown.
    virtual std::optional<MessageButton> present(const MessageBoxDescription& box) = 0;
};

// The box of a message of that kind: kinds 1 to 7, any other kind as kind 1.
MessageBoxDescription messageBoxOfKind(const std::string& text, int kind);

// The normalised answer to `pressed` in a box of that kind:
// OK boxes (kinds 1, 5, 7 and unknown kinds) 1; Yes/No boxes (2, 4) 1 for Yes,
// 2 otherwise; kind 3 1 for Yes, 3 for Cancel, 2 otherwise; kind 6 1 for OK,
// 3 otherwise.
int messageAnswer(int kind, MessageButton pressed);

// Shows the box of that kind through `presenter` and returns the normalised
// answer, or nothing when the box cannot be shown.
std::optional<int> showMessage(MessageBoxPresenter& presenter, const std::string& text, int kind);

// Shows the box and gives the button pressed, nothing when it cannot be
// shown. For the last report of a handler: a failure to show the box ends
// here, as there is nowhere left to report it.
std::optional<MessageButton> presentSafely(MessageBoxPresenter& presenter,
                                           const MessageBoxDescription& box) noexcept;

// A plain OK box with the program's name as its caption.
MessageBoxDescription programMessageBox(const std::string& text);
