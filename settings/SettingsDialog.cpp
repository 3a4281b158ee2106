#include "settings/SettingsDialog.h"

#include "base/Result.h"
#include "io/FileLines.h"
#include "models/DataFileAids.h"
#include "models/DialogApply.h"
#include "monitor/MonitorView.h"
#include "settings/RuleLineEdit.h"
#include "surface/DesignStyle.h"
#include "text/NumberText.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalBlocker>

#include <exception>
#include <new>
#include <utility>

// Applying reaches the dialog's own pointer and fields here, and the main
// window's controls through the main window.
class SettingsDialog::ApplyAdapter final : public DialogApplyTarget {
public:
    ApplyAdapter(SettingsDialog& dialog, ApplyTarget& mainWindow)
        : m_dialog(dialog), m_mainWindow(mainWindow) {}
    void setRunButtonEnabled(RunButton button, bool enabled) override {
        m_mainWindow.setRunButtonEnabled(button, enabled);
    }
    void setPageScrollRange(int minimum, int maximum) override {
        m_mainWindow.setPageScrollRange(minimum, maximum);
    }
    void showColumn(int column) override { m_mainWindow.showColumn(column); }
    void setPollTimerInterval(int milliseconds) override { m_mainWindow.setPollTimerInterval(milliseconds); }
    void setDialogBusy(bool busy) override { m_dialog.setBusy(busy); }
    void focusDialogField(DialogControl field) override { m_dialog.focusField(field); }

private:
    SettingsDialog& m_dialog;
    ApplyTarget& m_mainWindow;
};

SettingsDialog::SettingsDialog(const SettingsDialogServices& services)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_services(services),
      m_model(m_services.monitor) {
    setObjectName(QStringLiteral("frmDialog"));
    setWindowTitle(QStringLiteral("設定"));
    setAttribute(Qt::WA_DeleteOnClose);

    createControls();
    for (int i = 0; i < kDialogControlCount; ++i)
        showControl(static_cast<DialogControl>(i));
    m_model.setChangeListener([this](DialogControl control) { showControl(control); });
    m_model.setPreviewRule([this] { showPreview(); });
    connectControls();
    m_applyButton->setFocus();
}

SettingsDialog::~SettingsDialog() {
    // The controls go first, while the model they report to still exists.
    m_model.setChangeListener({});
    m_model.setPreviewRule({});
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* SettingsDialog::widgetFor(DialogControl control) const {
    return m_widgets[static_cast<std::size_t>(control)];
}

void SettingsDialog::connectControls() {
    connect(m_browseDataFileButton, &QPushButton::clicked, this, &SettingsDialog::chooseDataFile);
    connect(m_firstLineTestButton, &QPushButton::clicked, this, &SettingsDialog::testFirstLine);
    connect(m_pageSizeFromFileButton, &QPushButton::clicked, this, &SettingsDialog::takeLineCountAsPageSize);
    connect(m_browseSweepFolderButton, &QPushButton::clicked, this, &SettingsDialog::chooseSweepFolder);
    connect(m_applyButton, &QPushButton::clicked, this, &SettingsDialog::applySettings);
    // Closing destroys the dialog; nothing is applied.
    connect(m_closeButton, &QPushButton::clicked, this, &SettingsDialog::close);
    connect(m_delimiterCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { guarded([&] { m_model.selectDelimiter(index); }); });
    connect(m_columnScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { guarded([&] { m_model.setSpinValue(value); }); });
    for (QCheckBox* box : {m_skipDelimiterRunsCheck, m_previewCheck, m_autoScaleCheck, m_saveSweepImagesCheck,
                           m_patternCheck, m_fitScaleCheck}) {
        const auto control = *controlNamed(box->objectName().toStdString());
        connect(box, &QCheckBox::toggled, this,
                [this, control](bool checked) { guarded([&] { m_model.setChecked(control, checked); }); });
    }
    m_dataFileEdit->setFileDropHandler(
        [this](const std::vector<std::string>& paths) { onDataFileDropped(paths); });
}

void SettingsDialog::showControl(DialogControl control) {
    QWidget* widget = widgetFor(control);
    if (!widget)
        return;
    const ControlState& state = m_model.control(control);
    widget->setToolTip(QString::fromStdString(state.toolTip));
    if (auto* edit = qobject_cast<RuleLineEdit*>(widget)) {
        edit->showModelText();
        edit->setReadOnly(state.locked);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, toQColor(state.backColour, palette()));
        colours.setColor(QPalette::Text, toQColor(state.foreColour, palette()));
        edit->setPalette(colours);
        edit->setEnabled(state.enabled);
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        const QSignalBlocker quiet(list);
        list->setCurrentIndex(state.listIndex);
        // A list has no read-only state: a locked one cannot be opened at all.
        list->setEnabled(state.enabled && !state.locked);
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        const QSignalBlocker quiet(box);
        box->setChecked(state.checked);
        box->setEnabled(state.enabled);
    } else if (auto* spin = qobject_cast<QScrollBar*>(widget)) {
        const QSignalBlocker quiet(spin);
        spin->setValue(state.value);
        spin->setEnabled(state.enabled);
    } else {
        widget->setEnabled(state.enabled);
    }
}

void SettingsDialog::showPreview() {
    if (!m_services.showFilePreview || !m_model.control(DialogControl::previewCheck).checked)
        return;
    const std::string path = m_model.text(DialogControl::dataFileEdit);
    if (!dataFileExists(path))
        return;
    // More bytes than a preview can take shows the whole file, as an empty field does.
    m_services.showFilePreview(path, toInt(m_model.value(DialogControl::previewBytesEdit)).value_or(0));
}

void SettingsDialog::guarded(const std::function<void()>& handler) {
    ++m_handlerDepth;
    const auto leave = qScopeGuard([this] { --m_handlerDepth; });
    try {
        handler();
    } catch (...) {
        const Error failure = currentFailure();
        try {
            m_services.view.showPlainMessage(fileErrorMessage(failure));
        } catch (...) {
            // Nothing more can be done when even the message fails.
        }
    }
}

// --- handlers ---

void SettingsDialog::chooseDataFile() {
    guarded([this] {
        const QPointer<SettingsDialog> alive(this);
        const FileChoice chosen =
            m_services.chooseFile(m_services.owner, kDataFileFilter, std::string(), false);
        if (alive)
            takeChosenDataFile(m_model, chosen.path);
    });
}

void SettingsDialog::testFirstLine() {
    guarded([this] { ::testFirstLine(m_model, m_services.decoder); });
}

void SettingsDialog::takeLineCountAsPageSize() {
    guarded([this] { ::takeLineCountAsPageSize(m_model, m_services.view); });
}

void SettingsDialog::chooseSweepFolder() {
    guarded([this] {
        const QPointer<SettingsDialog> alive(this);
        const std::string folder = m_services.browseFolder(this, std::string(kSweepFolderBrowseTitle));
        if (alive)
            takeBrowsedFolder(m_model, folder);
    });
}

void SettingsDialog::onDataFileDropped(const std::vector<std::string>& paths) {
    try {
        takeDroppedDataFiles(m_model, paths);
    } catch (...) {
        // A failed drop is ignored; the field keeps its text.
    }
}

void SettingsDialog::applySettings() {
    guarded([this] {
        ApplyAdapter target(*this, m_services.mainWindow);
        applyDialog(m_model, m_services.view, target, &m_services.decoder);
    });
}

void SettingsDialog::setBusy(bool busy) {
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void SettingsDialog::focusField(DialogControl field) {
    if (QWidget* widget = widgetFor(field))
        widget->setFocus();
}

// --- window events ---

bool SettingsDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) {
        // A box or chooser opened over the dialog, by one of its handlers or
        // by anything else, only borrows the activation.
        const QWidget* modal = QApplication::activeModalWidget();
        m_activationLent = m_handlerDepth > 0 || (modal && modal != this);
    } else if (event->type() == QEvent::WindowActivate) {
        // Getting it back is no new activation: what the user typed stays.
        if (!std::exchange(m_activationLent, false))
            guarded([this] { m_model.activate(); });
    }
    return QWidget::event(event);
}

void SettingsDialog::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
