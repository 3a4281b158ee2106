#pragma once
// The settings dialog "設定": a fixed-size modeless window that shows a
// DialogModel and passes the user's typing and clicks to it. The model is
// created with the window (running its loading steps) and dies with it; the
// window keeps no state of its own beyond what the model reports.
//
// Controls keep their design names. Each control's objectName is that name,
// with "_" and the index for the members of a control array ("txtDatCol_0").

#include "core/DialogModel.h"
#include "settings/SettingsDialogServices.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class RuleLineEdit;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollBar;

class frmDialog : public QWidget {
    Q_OBJECT
public:
    // A top-level window without owner; `services` must outlive it.
    explicit frmDialog(const SettingsDialogServices& services);
    ~frmDialog() override;

    DialogModel& model() { return m_model; }

    // The widget that shows `control`.
    QWidget* widgetFor(DialogControl control) const;

    // --- handlers; none lets an exception out ---
    void cmdInFile_Click();
    void cmdDatTest_Click();
    void cmdFileEnd_Click();
    void cmdViewSave_Click();
    void txtInFile_Drop(const std::vector<std::string>& paths);
    void OKButton_Click();
    void CancelButton_Click(); // closes and destroys the dialog

    // --- what applying needs from the dialog ---
    void setBusy(bool busy);
    void focusField(DialogControl field);

    // --- controls ---
    QGroupBox* frameData = nullptr;
    RuleLineEdit* txtInFile = nullptr;
    QPushButton* cmdInFile = nullptr;
    QComboBox* cmbDelimit = nullptr;
    std::array<QLineEdit*, 2> txtDatCol{}; // element 0 is shown and used
    QScrollBar* scrV = nullptr;
    QCheckBox* chkDelimit = nullptr;
    QPushButton* cmdDatTest = nullptr;
    RuleLineEdit* txtDatTest = nullptr;
    QCheckBox* chkPreView = nullptr;
    RuleLineEdit* txtPreView = nullptr;
    RuleLineEdit* txtSpeed = nullptr;
    RuleLineEdit* txtIniInterval = nullptr;
    QGroupBox* frameSet = nullptr;
    QGroupBox* frameGrpX = nullptr;
    QPushButton* cmdFileEnd = nullptr;
    std::array<QLineEdit*, 2> txtRange{}; // element 1 is shown and used
    RuleLineEdit* txtIniXmem = nullptr;
    QGroupBox* frameGrpY = nullptr;
    RuleLineEdit* txtIniLimit = nullptr;
    RuleLineEdit* txtIniMaxY = nullptr;
    RuleLineEdit* txtIniMinY = nullptr;
    QCheckBox* chkIniMaxY = nullptr;
    QGroupBox* frameOut = nullptr;
    QCheckBox* chkViewSave = nullptr;
    RuleLineEdit* txtViewSave = nullptr;
    QPushButton* cmdViewSave = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

signals:
    // The dialog was closed; it is destroyed once control returns to the event loop.
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls(); // frmDialogControls.cpp
    void connectControls();
    RuleLineEdit* addField(DialogControl field, bool numeric);
    // Shows the model's state of one control.
    void showControl(DialogControl control);
    void previewRule();
    // Runs a handler; a failure is reported in the program's general error form.
    void guarded(const std::function<void()>& handler);

    SettingsDialogServices m_services;
    DialogModel m_model;
    int m_handlerDepth = 0;        // handlers running now, which may open boxes and choosers
    bool m_activationLent = false; // the activation went to such a box or chooser
    std::array<QWidget*, kDialogControlCount> m_widgets{};
};
