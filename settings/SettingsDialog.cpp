#include "settings/SettingsDialog.h"

#include "models/DialogApply.h"
#include "base/Result.h"
#include "models/DataFileAids.h"
#include "io/FileLines.h"
#include "monitor/MonitorView.h"
#include "text/NumberText.h"
#include "settings/RuleLineEdit.h"
#include "settings/SystemColours.h"

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

namespace {

// Applying reaches the dialog's own pointer and fields here, and the main
// window's controls through the main window.
class DialogApplyTarget final : public SettingsTarget {
public:
    DialogApplyTarget(SettingsDialog& dialog, MainWindowApplyTarget& mainWindow)
        : m_dialog(dialog), m_mainWindow(mainWindow) {}
    void setRunButtonEnabled(int index, bool enabled) override {
        m_mainWindow.setRunButtonEnabled(index, enabled);
    }
    void setPageScrollRange(int minimum, int maximum) override {
        m_mainWindow.setPageScrollRange(minimum, maximum);
    }
    void setTimerInterval(std::int32_t milliseconds) override { m_mainWindow.setTimerInterval(milliseconds); }
    void setDialogBusy(bool busy) override { m_dialog.setBusy(busy); }
    void focusDialogField(DialogControl field) override { m_dialog.focusField(field); }

private:
    SettingsDialog& m_dialog;
    MainWindowApplyTarget& m_mainWindow;
};

} // namespace

SettingsDialog::SettingsDialog(const SettingsDialogServices& services)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_services(services),
      m_model(m_services.state) {
    setObjectName(QStringLiteral("frmDialog"));
    setWindowTitle(QStringLiteral("設定"));
    setAttribute(Qt::WA_DeleteOnClose);

    createControls();
    for (int i = 0; i < kDialogControlCount; ++i)
        showControl(static_cast<DialogControl>(i));
    m_model.setChangeListener([this](DialogControl control) { showControl(control); });
    m_model.setPreviewRule([this] { previewRule(); });
    connectControls();
    applyButton->setFocus();
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
    connect(browseDataFileButton, &QPushButton::clicked, this, &SettingsDialog::chooseDataFile);
    connect(firstLineTestButton, &QPushButton::clicked, this, &SettingsDialog::cmdDatTest_Click);
    connect(pageSizeFromFileButton, &QPushButton::clicked, this, &SettingsDialog::cmdFileEnd_Click);
    connect(browseSweepFolderButton, &QPushButton::clicked, this, &SettingsDialog::chooseSweepFolder);
    connect(applyButton, &QPushButton::clicked, this, &SettingsDialog::OKButton_Click);
    connect(closeButton, &QPushButton::clicked, this, &SettingsDialog::CancelButton_Click);
    connect(delimiterCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { guarded([&] { m_model.selectDelimiter(index); }); });
    connect(columnScrollBar, &QScrollBar::valueChanged, this,
            [this](int value) { guarded([&] { m_model.setSpinValue(value); }); });
    for (QCheckBox* box : {skipDelimiterRunsCheck, previewCheck, autoScaleCheck, saveSweepImagesCheck}) {
        const auto control = *controlNamed(box->objectName().toStdString());
        connect(box, &QCheckBox::toggled, this,
                [this, control](bool checked) { guarded([&] { m_model.setChecked(control, checked); }); });
    }
    dataFileEdit->setFileDropHandler([this](const std::vector<std::string>& paths) { onDataFileDropped(paths); });
}

void SettingsDialog::showControl(DialogControl control) {
    QWidget* widget = widgetFor(control);
    if (!widget)
        return;
    const ControlState& state = m_model.control(control);
    if (auto* edit = qobject_cast<RuleLineEdit*>(widget)) {
        edit->showModelText();
        edit->setReadOnly(state.locked);
        QPalette colours = edit->palette();
        colours.setColor(QPalette::Base, dialogColour(state.backColour, palette()));
        colours.setColor(QPalette::Text, dialogColour(state.foreColour, palette()));
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

void SettingsDialog::previewRule() {
    if (!m_services.showFilePreview || !m_model.control(DialogControl::previewCheck).checked)
        return;
    const std::string path = m_model.text(DialogControl::dataFileEdit);
    if (!dataFileExists(path))
        return;
    // More bytes than a preview can take shows the whole file, as an empty field does.
    m_services.showFilePreview(path, toInt32(m_model.value(DialogControl::previewBytesEdit)).value_or(0));
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
        const std::string chosen =
            m_services.showFileDialog(m_services.mainWidget, kInFileFilter, std::string(), false);
        if (alive)
            takeChosenDataFile(m_model, chosen);
    });
}

void SettingsDialog::cmdDatTest_Click() {
    guarded([this] { testFirstLine(m_model, m_services.decoder); });
}

void SettingsDialog::cmdFileEnd_Click() {
    guarded([this] { takeLineCountAsPageSize(m_model, m_services.view); });
}

void SettingsDialog::chooseSweepFolder() {
    guarded([this] {
        const QPointer<SettingsDialog> alive(this);
        std::string folder;
        m_services.browseFolder(this, std::string(kViewSaveBrowseTitle), folder);
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

void SettingsDialog::OKButton_Click() {
    guarded([this] {
        DialogApplyTarget target(*this, m_services.mainWindow);
        applySettings(m_model, m_services.selector, m_services.view, target);
    });
}

void SettingsDialog::CancelButton_Click() {
    close();
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
