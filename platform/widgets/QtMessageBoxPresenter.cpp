#include "widgets/QtMessageBoxPresenter.h"

#include "base/Error.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <map>

namespace {

QMessageBox::StandardButton standardButton(MessageButton button) {
    switch (button) {
    case MessageButton::Ok:
        return QMessageBox::Ok;
    case MessageButton::Cancel:
        return QMessageBox::Cancel;
    case MessageButton::Yes:
        return QMessageBox::Yes;
    case MessageButton::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

std::optional<MessageButton> QtMessageBoxPresenter::present(const MessageBoxDescription& box) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) || QCoreApplication::closingDown())
        return std::nullopt;

    QMessageBox messageBox(m_parent);
    messageBox.setWindowTitle(QString::fromStdString(box.caption));
    // Messages quote file names; those must never be read as markup.
    messageBox.setTextFormat(Qt::PlainText);
    messageBox.setText(QString::fromStdString(withJapaneseReasons(box.text)));
    messageBox.setIcon(standardIcon(box.icon));

    std::map<QAbstractButton*, MessageButton> buttons;
    for (MessageButton button : box.buttons) {
        QPushButton* added = messageBox.addButton(standardButton(button));
        buttons[added] = button;
        if (button == box.defaultButton)
            messageBox.setDefaultButton(added);
        if (button == box.escapeButton)
            messageBox.setEscapeButton(added);
    }
    messageBox.exec();

    const auto pressed = buttons.find(messageBox.clickedButton());
    return pressed != buttons.end() ? pressed->second : box.escapeButton;
}
