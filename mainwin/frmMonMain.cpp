#include "mainwin/frmMonMain.h"

#include "core/CommandLine.h"
#include "core/CoreError.h"
#include "core/FieldSelector.h"
#include "core/MessageBox.h"
#include "core/MonitorState.h"
#include "mainwin/ProgramExit.h"
#include "platform/surface/DesignStyle.h"
#include "platform/widgets/SurfaceView.h"
#include "settings/SettingsDialogPort.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <new>

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

template <std::size_t N, class T> T* at(const std::array<T*, N>& controls, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? controls[static_cast<std::size_t>(index)]
                                                             : nullptr;
}

} // namespace

frmMonMain::frmMonMain(MonitorState& state, SettingsDialogPort& settingsDialog,
                       MessageBoxPresenter& messageBoxes, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_settingsDialog(settingsDialog), m_messageBoxes(messageBoxes),
      m_geometry(designFormGeometry()), m_endProgramHandler([] { endProgram(0); }) {
    setObjectName(QStringLiteral("frmMonMain"));
    setWindowTitle(QStringLiteral("Trendola"));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmMonMainClient"));
    m_client->setFont(designFont(DesignFace::Gothic, 9));
    setCentralWidget(m_client);

    createControls();
    createMenus();
    applyGeometry();

    for (std::size_t i = 0; i < chkStart.size(); ++i)
        connect(chkStart[i], &QPushButton::toggled, this, [this, i] { chkStart_Click(static_cast<int>(i)); });
    connect(cmdInit, &QPushButton::clicked, this, &frmMonMain::cmdInit_Click);
    connect(cmdGrp, &QPushButton::clicked, this, &frmMonMain::cmdGrp_Click);
    connect(tmrTime, &QTimer::timeout, this, &frmMonMain::tmrTime_Timer);
    connect(mnuExit, &QAction::triggered, this, &frmMonMain::mnuExit_Click);
    wireNavigationAndShapes();

    m_client->installEventFilter(this);
    resize(pixelsFromTwips(kDesignClientWidth, logicalDpiX()),
           pixelsFromTwips(kDesignClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
}

frmMonMain::~frmMonMain() {
    m_client->removeEventFilter(this);
}

// --- start-up ---

void frmMonMain::setVisible(bool visible) {
    if (visible && !m_formLoaded) {
        m_formLoaded = true;
        Form_Load();
    }
    QMainWindow::setVisible(visible);
}

void frmMonMain::Form_Load() {
    LoadMonitorDefaults(m_state);
    // Nothing can run before settings are applied, which enables these.
    for (QPushButton* button : chkStart)
        button->setEnabled(false);
    mnuWinMae->setChecked(false);
    std::string scratch;
    CommandArg(scratch);
}

void frmMonMain::CommandArg(std::string& strCommand) {
    strCommand = m_commandLineText;
    if (strCommand.empty())
        return;
    CommandArgTokens split = splitCommandArg(strCommand);
    for (const std::string& token : split.tokens)
        m_settingsDialog.setTxtInFile(token);
    strCommand = std::move(split.remaining);
    m_settingsDialog.showDialog();
}

// --- handlers ---

void frmMonMain::chkStart_Click(int index) {
    if (!m_runButtonHandler)
        return;
    try {
        m_runButtonHandler(index);
    } catch (...) {
        ShowMsg(runErrorMessage(currentFailure()), 7);
    }
}

void frmMonMain::cmdInit_Click() {
    runHook(m_initHandler);
}

void frmMonMain::cmdGrp_Click() {
    if (m_settingsHandler)
        runHook(m_settingsHandler);
    else
        m_settingsDialog.showDialog();
}

void frmMonMain::tmrTime_Timer() {
    runHook(m_timerHandler);
}

void frmMonMain::mnuExit_Click() {
    m_endProgramHandler();
}

void frmMonMain::Form_QueryUnload() {
    m_endProgramHandler();
}

void frmMonMain::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void frmMonMain::runHook(const std::function<void()>& hook) {
    if (!hook)
        return;
    try {
        hook();
    } catch (...) {
        showPlainMessage(fileErrorMessage(currentFailure()));
    }
}

// --- layout ---

bool frmMonMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmMonMain::Form_Resize() {
    const Twips outerWidth = twipsFromPixels(m_client->width(), logicalDpiX()) + kDesignFrameWidth;
    const Twips outerHeight = twipsFromPixels(m_client->height(), logicalDpiY()) + kDesignFrameHeight;
    m_geometry = layoutForm(m_geometry, outerWidth, outerHeight);
    applyGeometry();
    // The surface repaints from its image; nothing is plotted again.
    picView->update();
}

void frmMonMain::place(QWidget* control, const TwipRect& rect) {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    control->setGeometry(pixelsFromTwips(rect.left, dpiX), pixelsFromTwips(rect.top, dpiY),
                         pixelsFromTwips(rect.width, dpiX), pixelsFromTwips(rect.height, dpiY));
}

void frmMonMain::applyGeometry() {
    const FormGeometry& g = m_geometry;
    place(cmbColor, g.cmbColor);
    place(chkMultView, g.chkMultView);
    place(Command1, g.Command1);
    place(cmdInit, g.cmdInit);
    place(scrH, g.scrH);
    place(chkReDraw, g.chkReDraw);
    place(scrV, g.scrV);
    place(txtWatch, g.txtWatch);
    for (std::size_t i = 0; i < chkStart.size(); ++i)
        place(chkStart[i], g.chkStart[i]);
    place(cmdGrp, g.cmdGrp);
    place(picView, g.picView);
    place(lblErrInfo, g.lblErrInfo);
    place(lblTopInfo, g.lblTopInfo);
    // lblHeadInfo sizes itself to its text; only its position is laid out.
    lblHeadInfo->move(pixelsFromTwips(g.lblHeadInfo.left, logicalDpiX()),
                      pixelsFromTwips(g.lblHeadInfo.top, logicalDpiY()));
    place(lblScrH, g.lblScrH);
    place(lblInfo, g.lblInfo);
    for (std::size_t i = 0; i < lblNowValVal.size(); ++i)
        place(lblNowValVal[i], g.lblNowValVal[i]);
    for (std::size_t i = 0; i < lblViewMem.size(); ++i)
        place(lblViewMem[i], g.lblViewMem[i]);
}

// --- MonitorView: labels and switches ---

void frmMonMain::setScaleLabel(int index, const std::string& text) {
    if (QLabel* label = at(lblViewMem, index)) {
        label->setText(fromUtf8(text));
        label->setToolTip(fromUtf8(text));
    }
}

void frmMonMain::setValueLabel(int index, const std::string& text) {
    if (QLabel* label = at(lblNowValVal, index))
        label->setText(fromUtf8(text));
}

void frmMonMain::setInfo(const std::string& text) {
    lblInfo->setText(fromUtf8(text));
}

std::string frmMonMain::info() const {
    return lblInfo->text().toStdString();
}

void frmMonMain::setHeadInfo(const std::string& text) {
    lblHeadInfo->setText(fromUtf8(text));
    lblHeadInfo->adjustSize();
}

void frmMonMain::setErrInfo(const std::string& text) {
    lblErrInfo->setText(fromUtf8(text));
}

void frmMonMain::setErrInfoVisible(bool visible) {
    lblErrInfo->setVisible(visible);
}

bool frmMonMain::errInfoVisible() const {
    return lblErrInfo->isVisibleTo(m_client);
}

bool frmMonMain::pageModeChecked() const {
    return chkReDraw->isChecked();
}

bool frmMonMain::compositeChecked() const {
    return chkMultView->isChecked();
}

bool frmMonMain::auxiliaryLinesHidden() const {
    return mnuWinNonMem->isChecked();
}

bool frmMonMain::thresholdHidden() const {
    return mnuWinSetVal->isChecked();
}

std::string frmMonMain::colourText() const {
    return cmbColor->currentText().toStdString();
}

// --- MonitorView: run buttons, page scroll bar, timer ---

void frmMonMain::setRunButtonDown(int index, bool down) {
    // toggled, and with it chkStart_Click, follows only a change of state.
    if (QPushButton* button = at(chkStart, index))
        button->setChecked(down);
}

bool frmMonMain::runButtonDown(int index) const {
    const QPushButton* button = at(chkStart, index);
    return button && button->isChecked();
}

void frmMonMain::setPageScrollEnabled(bool enabled) {
    scrH->setEnabled(enabled);
}

void frmMonMain::setTimerEnabled(bool enabled) {
    const int interval = m_state.lngInterval;
    if (!enabled || interval < 1) {
        tmrTime->stop();
        return;
    }
    // Enabling a running timer again keeps its rhythm.
    if (!tmrTime->isActive() || tmrTime->interval() != interval)
        tmrTime->start(interval);
}

// --- what applying the settings writes ---

void frmMonMain::setRunButtonEnabled(int index, bool enabled) {
    if (QPushButton* button = at(chkStart, index))
        button->setEnabled(enabled);
}

void frmMonMain::setPageScrollRange(int minimum, int maximum) {
    const QSignalBlocker quiet(scrH);
    scrH->setRange(minimum, maximum);
}

void frmMonMain::setTimerInterval(std::int32_t milliseconds) {
    // A running timer keeps running at the new pace (an interval below 1 ms
    // stops it, as enabling it would); a stopped one stays stopped.
    const bool running = tmrTime->isActive();
    tmrTime->setInterval(std::max<std::int32_t>(milliseconds, 1));
    if (running && milliseconds < 1)
        tmrTime->stop();
}

void frmMonMain::bindFieldSelector(FieldSelector& selector) {
    const auto show = [this, &selector] {
        const QSignalBlocker quiet(scrV);
        txtWatch->setText(QString::fromStdString(selector.watchText()));
        scrV->setValue(selector.spinValue());
    };
    selector.setChangeListener(show);
    connect(scrV, &QScrollBar::valueChanged, this, [&selector](int value) { selector.setSpinValue(value); });
    show();
}

// --- MonitorView: messages and the event pump ---

void frmMonMain::showPlainMessage(const std::string& text) {
    m_messageBoxes.present(programMessageBox(text));
}

int frmMonMain::ShowMsg(const std::string& strMsg, int intKind) {
    return ::ShowMsg(m_messageBoxes, strMsg, intKind);
}

// The core decides how often its loops let events run; here they simply run.
void frmMonMain::letEventsRun() {
    QCoreApplication::processEvents();
}

void frmMonMain::waitForEvents(int maxMs) {
    if (maxMs > 0) {
        // Wakes the wait below at the latest after maxMs.
        QTimer wake;
        wake.setSingleShot(true);
        wake.start(maxMs);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    } else {
        QCoreApplication::processEvents();
    }
}
