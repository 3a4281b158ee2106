#pragma once
// The one settings dialog of the program: created on first use, shown
// modeless without owner, brought forward when shown again, and forgotten
// when the user closes it, so that the next use creates it afresh.

#include "settings/SettingsDialogPort.h"
#include "settings/SettingsDialogServices.h"

#include <QPointer>

class DialogModel;
class frmDialog;

class SettingsDialog final : public SettingsDialogPort {
public:
    explicit SettingsDialog(SettingsDialogServices services);
    ~SettingsDialog() override; // destroys a dialog still open
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Places `text` into txtInFile, creating the dialog (hidden) first when it
    // does not exist. Each call counts as one change of the field, also when
    // the text is the one already there.
    void setTxtInFile(const std::string& text) override;
    // Creates the dialog when needed, shows it and makes it the active window.
    void showDialog() override;

    // The dialog's model, creating the dialog (hidden) when it does not exist;
    // the field selector reaches the dialog through this.
    DialogModel& model();

    // The dialog while it exists, null otherwise.
    frmDialog* window() const { return m_window.data(); }

private:
    frmDialog& ensureWindow();

    SettingsDialogServices m_services;
    QPointer<frmDialog> m_window;
};
