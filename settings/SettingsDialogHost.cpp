#include "settings/SettingsDialogHost.h"

#include "models/DialogModel.h"
#include "settings/SettingsDialog.h"

SettingsDialogHost::SettingsDialogHost(SettingsDialogServices services) : m_services(std::move(services)) {}

SettingsDialogHost::~SettingsDialogHost() {
    delete m_window.data();
}

SettingsDialog& SettingsDialogHost::ensureWindow() {
    if (!m_window) {
        m_window = new SettingsDialog(m_services);
        // A closed dialog is only deleted later; it must not be shown again meanwhile.
        QObject::connect(m_window, &SettingsDialog::closed, m_window, [this] { m_window.clear(); });
    }
    return *m_window;
}

DialogModel& SettingsDialogHost::model() {
    return ensureWindow().model();
}

void SettingsDialogHost::setDataFileText(const std::string& text) {
    DialogModel& dialog = model();
    if (dialog.text(DialogControl::dataFileEdit) != text) {
        dialog.setText(DialogControl::dataFileEdit, text);
        return;
    }
    // The model runs a field's rule only when its text changes, so the same
    // text is placed afresh; the rule on the empty text in between shows no
    // preview and only enables applyButton, as the real change does anyway.
    dialog.setText(DialogControl::dataFileEdit, std::string());
    dialog.setText(DialogControl::dataFileEdit, text);
    dialog.setOkEnabled(true); // an empty text placed into an empty field
}

void SettingsDialogHost::showDialog() {
    SettingsDialog& dialog = ensureWindow();
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}

SettingsDialog* SettingsDialogHost::window() const {
    return m_window.data();
}
