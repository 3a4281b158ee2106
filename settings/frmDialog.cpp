#include "settings/frmDialog.h"

#include "core/ApplySettings.h"
#include "core/CoreError.h"
#include "core/DataFileAids.h"
#include "core/FileLines.h"
#include "core/MonitorView.h"
#include "core/NumberText.h"
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
    DialogApplyTarget(frmDialog& dialog, MainWindowApplyTarget& mainWindow)
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
    frmDialog& m_dialog;
    MainWindowApplyTarget& m_mainWindow;
};

} // namespace

frmDialog::frmDialog(const SettingsDialogServices& services)
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
    OKButton->setFocus();
}

frmDialog::~frmDialog() {
    // The controls go first, while the model they report to still exists.
    m_model.setChangeListener({});
    m_model.setPreviewRule({});
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

QWidget* frmDialog::widgetFor(DialogControl control) const {
    return m_widgets[static_cast<std::size_t>(control)];
}

void frmDialog::connectControls() {
    connect(cmdInFile, &QPushButton::clicked, this, &frmDialog::cmdInFile_Click);
    connect(cmdDatTest, &QPushButton::clicked, this, &frmDialog::cmdDatTest_Click);
    connect(cmdFileEnd, &QPushButton::clicked, this, &frmDialog::cmdFileEnd_Click);
    connect(cmdViewSave, &QPushButton::clicked, this, &frmDialog::cmdViewSave_Click);
    connect(OKButton, &QPushButton::clicked, this, &frmDialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmDialog::CancelButton_Click);
    connect(cmbDelimit, &QComboBox::currentIndexChanged, this,
            [this](int index) { guarded([&] { m_model.selectDelimiter(index); }); });
    connect(scrV, &QScrollBar::valueChanged, this,
            [this](int value) { guarded([&] { m_model.setSpinValue(value); }); });
    for (QCheckBox* box : {chkDelimit, chkPreView, chkIniMaxY, chkViewSave}) {
        const auto control = *controlNamed(box->objectName().toStdString());
        connect(box, &QCheckBox::toggled, this,
                [this, control](bool checked) { guarded([&] { m_model.setChecked(control, checked); }); });
    }
    txtInFile->setFileDropHandler([this](const std::vector<std::string>& paths) { txtInFile_Drop(paths); });
}

void frmDialog::showControl(DialogControl control) {
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

void frmDialog::previewRule() {
    if (!m_services.showFilePreview || !m_model.control(DialogControl::chkPreView).checked)
        return;
    const std::string path = m_model.text(DialogControl::txtInFile);
    if (!dataFileExists(path))
        return;
    // More bytes than a preview can take shows the whole file, as an empty field does.
    m_services.showFilePreview(path, toInt32(m_model.value(DialogControl::txtPreView)).value_or(0));
}

void frmDialog::guarded(const std::function<void()>& handler) {
    ++m_handlerDepth;
    const auto leave = qScopeGuard([this] { --m_handlerDepth; });
    try {
        handler();
    } catch (...) {
        const CoreError failure = currentFailure();
        try {
            m_services.view.showPlainMessage(fileErrorMessage(failure));
        } catch (...) {
            // Nothing more can be done when even the message fails.
        }
    }
}

// --- handlers ---

void frmDialog::cmdInFile_Click() {
    guarded([this] {
        const QPointer<frmDialog> alive(this);
        const std::string chosen =
            m_services.showFileDialog(m_services.mainWidget, kInFileFilter, std::string(), false);
        if (alive)
            takeChosenDataFile(m_model, chosen);
    });
}

void frmDialog::cmdDatTest_Click() {
    guarded([this] { testFirstLine(m_model, m_services.decoder); });
}

void frmDialog::cmdFileEnd_Click() {
    guarded([this] { takeLineCountAsPageSize(m_model, m_services.view); });
}

void frmDialog::cmdViewSave_Click() {
    guarded([this] {
        const QPointer<frmDialog> alive(this);
        std::string folder;
        m_services.browseFolder(this, std::string(kViewSaveBrowseTitle), folder);
        if (alive)
            takeBrowsedFolder(m_model, folder);
    });
}

void frmDialog::txtInFile_Drop(const std::vector<std::string>& paths) {
    try {
        takeDroppedDataFiles(m_model, paths);
    } catch (...) {
        // A failed drop is ignored; the field keeps its text.
    }
}

void frmDialog::OKButton_Click() {
    guarded([this] {
        DialogApplyTarget target(*this, m_services.mainWindow);
        applySettings(m_model, m_services.selector, m_services.view, target);
    });
}

void frmDialog::CancelButton_Click() {
    close();
}

void frmDialog::setBusy(bool busy) {
    if (busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

void frmDialog::focusField(DialogControl field) {
    if (QWidget* widget = widgetFor(field))
        widget->setFocus();
}

// --- window events ---

bool frmDialog::event(QEvent* event) {
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

void frmDialog::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}
