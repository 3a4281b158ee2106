#include "settings/SettingsDialog.h"

#include "core/DialogModel.h"
#include "settings/frmDialog.h"

SettingsDialog::SettingsDialog(SettingsDialogServices services) : m_services(std::move(services)) {}

SettingsDialog::~SettingsDialog() {
    delete m_window.data();
}

frmDialog& SettingsDialog::ensureWindow() {
    if (!m_window) {
        m_window = new frmDialog(m_services);
        // A closed dialog is only deleted later; it must not be shown again meanwhile.
        QObject::connect(m_window, &frmDialog::closed, m_window, [this] { m_window.clear(); });
    }
    return *m_window;
}

DialogModel& SettingsDialog::model() {
    return ensureWindow().model();
}

void SettingsDialog::setTxtInFile(const std::string& text) {
    DialogModel& dialog = model();
    if (dialog.text(DialogControl::txtInFile) != text) {
        dialog.setText(DialogControl::txtInFile, text);
        return;
    }
    // The model runs a field's rule only when its text changes, so the same
    // text is placed afresh; the rule on the empty text in between shows no
    // preview and only enables OKButton, as the real change does anyway.
    dialog.setText(DialogControl::txtInFile, std::string());
    dialog.setText(DialogControl::txtInFile, text);
    dialog.setOkEnabled(true); // an empty text placed into an empty field
}

void SettingsDialog::showDialog() {
    frmDialog& dialog = ensureWindow();
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
}
