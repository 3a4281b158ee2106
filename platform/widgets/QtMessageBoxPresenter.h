#pragma once
// Shows message boxes as real modal QMessageBoxes, the system's reasons for
// the common error numbers in Japanese.

#include "models/MessageBox.h"

class QWidget;

class QtMessageBoxPresenter : public MessageBoxPresenter {
public:
    // Boxes are centred over `parent` when given.
    explicit QtMessageBoxPresenter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    // Nothing when there is no running widget application to show it in.
    std::optional<MessageButton> present(const MessageBoxDescription& box) override;

private:
    QWidget* m_parent;
};
