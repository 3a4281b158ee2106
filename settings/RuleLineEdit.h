#pragma once
// A text field of the settings dialog that holds no text of its own: it
// shows its field's text from the DialogModel and hands every edit the user
// makes to the model's rules.
//
// Typed characters the key rule refuses are discarded before the field sees
// them. Every other way of changing the text (Backspace, Delete, cut, paste,
// undo, redo, dragged text, input-method commits) ends in one check, which
// passes the change to DialogModel::userEdit and then shows what the model
// kept, so nothing reaches the text past the rules.

#include "models/DialogModel.h"

#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

class RuleLineEdit : public QLineEdit {
    Q_OBJECT
public:
    using FileDropHandler = std::function<void(const std::vector<std::string>& paths)>;
    // Runs an edit's work and reports its failure, so that none leaves a key handler.
    using EditGuard = std::function<void(const std::function<void()>& work)>;

    // Shows `field` of `model`, which must outlive the field; every edit runs under `guard`.
    RuleLineEdit(DialogModel& model, DialogControl field, EditGuard guard, QWidget* parent = nullptr);

    DialogControl field() const { return m_field; }

    // Shows the model's text when it differs from the one shown; call it
    // whenever the model reports the field changed.
    void showModelText();

    // Makes the field a drop target for files from the file manager: the
    // local paths of a drop go to `handler`, which must let no exception out,
    // and dragged text is refused.
    void setFileDropHandler(FileDropHandler handler) { m_fileDropHandler = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class EditRouter;
    // Passes the change from the model's text to `input` to the model, then
    // puts what the model kept into `input` and places the cursor after it.
    void routeEdit(QString& input, int& pos);

    DialogModel& m_model;
    EditGuard m_guard;
    const DialogControl m_field;
    bool m_routing = false;
    FileDropHandler m_fileDropHandler;
};
