#pragma once
// The settings dialog "設定": a fixed-size modeless window that shows a
// DialogModel and passes the user's typing and clicks to it. The model is
// created with the window (running its loading steps) and dies with it; the
// window keeps no state of its own beyond what the model reports.
//
// Controls keep their design names. Each control's objectName is that name,
// with "_" and the index for the members of a control array ("txtDatCol_0").

#include "models/DialogModel.h"
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

class SettingsDialog : public QWidget {
    Q_OBJECT
public:
    // A top-level window without owner; `services` must outlive it.
    explicit SettingsDialog(const SettingsDialogServices& services);
    ~SettingsDialog() override;

    DialogModel& model() { return m_model; }

    // The widget that shows `control`.
    QWidget* widgetFor(DialogControl control) const;

    // --- handlers; none lets an exception out ---
    void chooseDataFile();
    void cmdDatTest_Click();
    void cmdFileEnd_Click();
    void chooseSweepFolder();
    void onDataFileDropped(const std::vector<std::string>& paths);
    void OKButton_Click();
    void CancelButton_Click(); // closes and destroys the dialog

    // --- what applying needs from the dialog ---
    void setBusy(bool busy);
    void focusField(DialogControl field);

    // --- controls ---
    QGroupBox* dataFileGroup = nullptr;
    RuleLineEdit* dataFileEdit = nullptr;
    QPushButton* browseDataFileButton = nullptr;
    QComboBox* delimiterCombo = nullptr;
    std::array<QLineEdit*, 2> columnEdit{}; // element 0 is shown and used
    QScrollBar* columnScrollBar = nullptr;
    QCheckBox* skipDelimiterRunsCheck = nullptr;
    QPushButton* firstLineTestButton = nullptr;
    RuleLineEdit* testResultEdit = nullptr;
    QCheckBox* previewCheck = nullptr;
    RuleLineEdit* previewBytesEdit = nullptr;
    RuleLineEdit* replayPauseEdit = nullptr;
    RuleLineEdit* pollIntervalEdit = nullptr;
    QGroupBox* graphGroup = nullptr;
    QGroupBox* xAxisGroup = nullptr;
    QPushButton* pageSizeFromFileButton = nullptr;
    std::array<QLineEdit*, 2> pageSizeEdit{}; // element 1 is shown and used
    RuleLineEdit* pointsPerViewEdit = nullptr;
    QGroupBox* yAxisGroup = nullptr;
    RuleLineEdit* thresholdEdit = nullptr;
    RuleLineEdit* scaleTopEdit = nullptr;
    RuleLineEdit* scaleBottomEdit = nullptr;
    QCheckBox* autoScaleCheck = nullptr;
    QGroupBox* imageOutputGroup = nullptr;
    QCheckBox* saveSweepImagesCheck = nullptr;
    RuleLineEdit* sweepFolderEdit = nullptr;
    QPushButton* browseSweepFolderButton = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* closeButton = nullptr;

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
