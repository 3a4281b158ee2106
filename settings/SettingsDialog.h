#pragma once
// The settings dialog "設定": a fixed-size modeless window that shows a
// DialogModel and passes the user's typing and clicks to it. The model is
// created with the window (running its loading steps) and dies with it; the
// window keeps no state of its own beyond what the model reports.
//
// Each control's objectName is its design name, with "_" and the index for
// the members of a control array ("txtDatCol_0"), so tests and tools find it.

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

signals:
    // The dialog was closed; it is destroyed once control returns to the event loop.
    void closed();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class ApplyAdapter;

    void createControls(); // SettingsDialogControls.cpp
    void connectControls();
    RuleLineEdit* addField(DialogControl field, bool numeric);
    QWidget* widgetFor(DialogControl control) const;
    // Shows the model's state of one control.
    void showControl(DialogControl control);
    void showPreview();
    // Runs a handler; a failure is reported in the program's general error form.
    void guarded(const std::function<void()>& handler);

    // --- handlers; none lets an exception out ---
    void chooseDataFile();
    void testFirstLine();
    void takeLineCountAsPageSize();
    void chooseSweepFolder();
    void onDataFileDropped(const std::vector<std::string>& paths);
    void applySettings();

    // --- what applying needs from the dialog ---
    void setBusy(bool busy);
    void focusField(DialogControl field);

    SettingsDialogServices m_services;
    DialogModel m_model;
    int m_handlerDepth = 0;        // handlers running now, which may open boxes and choosers
    bool m_activationLent = false; // the activation went to such a box or chooser
    std::array<QWidget*, kDialogControlCount> m_widgets{};

    // --- controls that the layout places by name ---
    QGroupBox* m_dataFileGroup = nullptr;
    RuleLineEdit* m_dataFileEdit = nullptr;
    QPushButton* m_browseDataFileButton = nullptr;
    QComboBox* m_delimiterCombo = nullptr;
    std::array<QLineEdit*, 2> m_columnEdit{}; // element 0 is shown and used
    QScrollBar* m_columnScrollBar = nullptr;
    QCheckBox* m_skipDelimiterRunsCheck = nullptr;
    QPushButton* m_firstLineTestButton = nullptr;
    RuleLineEdit* m_testResultEdit = nullptr;
    QCheckBox* m_previewCheck = nullptr;
    RuleLineEdit* m_previewBytesEdit = nullptr;
    RuleLineEdit* m_replayPauseEdit = nullptr;
    RuleLineEdit* m_pollIntervalEdit = nullptr;
    QGroupBox* m_graphGroup = nullptr;
    QGroupBox* m_xAxisGroup = nullptr;
    QPushButton* m_pageSizeFromFileButton = nullptr;
    std::array<QLineEdit*, 2> m_pageSizeEdit{}; // element 1 is shown and used
    RuleLineEdit* m_pointsPerViewEdit = nullptr;
    QGroupBox* m_yAxisGroup = nullptr;
    RuleLineEdit* m_thresholdEdit = nullptr;
    RuleLineEdit* m_scaleTopEdit = nullptr;
    RuleLineEdit* m_scaleBottomEdit = nullptr;
    QCheckBox* m_autoScaleCheck = nullptr;
    QGroupBox* m_imageOutputGroup = nullptr;
    QCheckBox* m_saveSweepImagesCheck = nullptr;
    RuleLineEdit* m_sweepFolderEdit = nullptr;
    QPushButton* m_browseSweepFolderButton = nullptr;
    QGroupBox* m_extraGroup = nullptr;
    QCheckBox* m_patternCheck = nullptr;
    RuleLineEdit* m_patternEdit = nullptr;
    QCheckBox* m_fitScaleCheck = nullptr;
    QPushButton* m_applyButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
