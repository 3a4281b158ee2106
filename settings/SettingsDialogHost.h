#pragma once
// The one settings dialog of the program: created on first use, shown
// modeless without owner, brought forward when shown again, and forgotten
// when the user closes it, so that the next use creates it afresh.

#include "settings/SettingsDialogPort.h"
#include "settings/SettingsDialogServices.h"

#include <QPointer>

class DialogModel;
class SettingsDialog;

class SettingsDialogHost final : public SettingsDialogPort {
public:
    explicit SettingsDialogHost(SettingsDialogServices services);
    ~SettingsDialogHost() override; // destroys a dialog still open
    SettingsDialogHost(const SettingsDialogHost&) = delete;
    SettingsDialogHost& operator=(const SettingsDialogHost&) = delete;

    // Places `text` into the data-file field, creating the dialog (hidden) first when it
    // does not exist. Each call counts as one change of the field, also when
    // the text is the one already there.
    void setDataFileText(const std::string& text) override;
    // Creates the dialog when needed, shows it and makes it the active window.
    void showDialog() override;

    // The dialog's model, creating the dialog (hidden) when it does not exist;
    // the column selector reaches the dialog through this.
    DialogModel& model();

    // The dialog while it exists, null otherwise.
    SettingsDialog* window() const;

private:
    SettingsDialog& ensureWindow();

    SettingsDialogServices m_services;
    QPointer<SettingsDialog> m_window;
};
