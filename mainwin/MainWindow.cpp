#include "mainwin/MainWindow.h"

#include "models/CommandLine.h"
#include "base/Result.h"
#include "models/ColumnSelector.h"
#include "models/MessageBox.h"
#include "monitor/Monitor.h"
#include "mainwin/ProgramExit.h"
#include "surface/DesignStyle.h"
#include "widgets/SurfaceView.h"
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

MainWindow::MainWindow(MonitorState& state, SettingsDialogPort& settingsDialog,
                       MessageBoxPresenter& messageBoxes, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_settingsDialog(settingsDialog), m_messageBoxes(messageBoxes),
      m_geometry(designGeometry()), m_endProgramHandler([] { endProgram(0); }) {
    setObjectName(QStringLiteral("frmMonMain"));
    setWindowTitle(QStringLiteral("Trendola"));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmMonMainClient"));
    m_client->setFont(designFont(DesignFace::Gothic, 9));
    setCentralWidget(m_client);

    createControls();
    createMenus();
    applyGeometry();

    for (std::size_t i = 0; i < runButtons.size(); ++i)
        connect(runButtons[i], &QPushButton::toggled, this, [this, i] { onRunButtonToggled(static_cast<int>(i)); });
    connect(resetButton, &QPushButton::clicked, this, &MainWindow::resetChart);
    connect(settingsButton, &QPushButton::clicked, this, &MainWindow::showSettingsDialog);
    connect(pollTimer, &QTimer::timeout, this, &MainWindow::onPollTimeout);
    connect(quitAction, &QAction::triggered, this, &MainWindow::quitProgram);
    wireNavigationAndShapes();

    m_client->installEventFilter(this);
    resize(pixelsFromTwips(kDesignClientWidth, logicalDpiX()),
           pixelsFromTwips(kDesignClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() {
    m_client->removeEventFilter(this);
}

// --- start-up ---

void MainWindow::setVisible(bool visible) {
    if (visible && !m_formLoaded) {
        m_formLoaded = true;
        Form_Load();
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::Form_Load() {
    LoadMonitorDefaults(m_state);
    // Nothing can run before settings are applied, which enables these.
    for (QPushButton* button : runButtons)
        button->setEnabled(false);
    stayOnTopAction->setChecked(false);
    std::string scratch;
    handleCommandLine(scratch);
}

void MainWindow::handleCommandLine(std::string& strCommand) {
    strCommand = m_commandLineText;
    if (strCommand.empty())
        return;
    CommandArgTokens split = splitCommandArg(strCommand);
    for (const std::string& token : split.tokens)
        m_settingsDialog.setDataFileText(token);
    strCommand = std::move(split.remaining);
    m_settingsDialog.showDialog();
}

// --- handlers ---

void MainWindow::onRunButtonToggled(int index) {
    if (!m_runButtonHandler)
        return;
    try {
        m_runButtonHandler(index);
    } catch (...) {
        showMessage(runErrorMessage(currentFailure()), 7);
    }
}

void MainWindow::resetChart() {
    runHook(m_initHandler);
}

void MainWindow::showSettingsDialog() {
    if (m_settingsHandler)
        runHook(m_settingsHandler);
    else
        m_settingsDialog.showDialog();
}

void MainWindow::onPollTimeout() {
    runHook(m_timerHandler);
}

void MainWindow::quitProgram() {
    m_endProgramHandler();
}

void MainWindow::Form_QueryUnload() {
    m_endProgramHandler();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Form_QueryUnload();
    event->accept();
}

void MainWindow::runHook(const std::function<void()>& hook) {
    if (!hook)
        return;
    try {
        hook();
    } catch (...) {
        showPlainMessage(fileErrorMessage(currentFailure()));
    }
}

// --- layout ---

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::Form_Resize() {
    const Twips outerWidth = twipsFromPixels(m_client->width(), logicalDpiX()) + kDesignFrameWidth;
    const Twips outerHeight = twipsFromPixels(m_client->height(), logicalDpiY()) + kDesignFrameHeight;
    m_geometry = layoutMainWindow(m_geometry, outerWidth, outerHeight);
    applyGeometry();
    // The surface repaints from its image; nothing is plotted again.
    graphView->update();
}

void MainWindow::place(QWidget* control, const TwipRect& rect) {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    control->setGeometry(pixelsFromTwips(rect.left, dpiX), pixelsFromTwips(rect.top, dpiY),
                         pixelsFromTwips(rect.width, dpiX), pixelsFromTwips(rect.height, dpiY));
}

void MainWindow::applyGeometry() {
    const MainWindowGeometry& g = m_geometry;
    place(seriesColourCombo, g.seriesColourCombo);
    place(compositeCheck, g.compositeCheck);
    place(testButton, g.testButton);
    place(resetButton, g.resetButton);
    place(pageScrollBar, g.pageScrollBar);
    place(pageModeCheck, g.pageModeCheck);
    place(columnScrollBar, g.columnScrollBar);
    place(columnEdit, g.columnEdit);
    for (std::size_t i = 0; i < runButtons.size(); ++i)
        place(runButtons[i], g.runButtons[i]);
    place(settingsButton, g.settingsButton);
    place(graphView, g.graphView);
    place(replayErrorLabel, g.replayErrorLabel);
    place(nowMarkerLabel, g.nowMarkerLabel);
    // pointsPerViewLabel sizes itself to its text; only its position is laid out.
    pointsPerViewLabel->move(pixelsFromTwips(g.pointsPerViewLabel.left, logicalDpiX()),
                      pixelsFromTwips(g.pointsPerViewLabel.top, logicalDpiY()));
    place(pagePositionLabel, g.pagePositionLabel);
    place(statusLabel, g.statusLabel);
    for (std::size_t i = 0; i < valueLabels.size(); ++i)
        place(valueLabels[i], g.valueLabels[i]);
    for (std::size_t i = 0; i < scaleLabels.size(); ++i)
        place(scaleLabels[i], g.scaleLabels[i]);
}

// --- MonitorView: labels and switches ---

void MainWindow::setScaleLabel(int index, const std::string& text) {
    if (QLabel* label = at(scaleLabels, index)) {
        label->setText(fromUtf8(text));
        label->setToolTip(fromUtf8(text));
    }
}

void MainWindow::setValueLabel(int index, const std::string& text) {
    if (QLabel* label = at(valueLabels, index))
        label->setText(fromUtf8(text));
}

void MainWindow::setInfo(const std::string& text) {
    statusLabel->setText(fromUtf8(text));
}

std::string MainWindow::info() const {
    return statusLabel->text().toStdString();
}

void MainWindow::setHeadInfo(const std::string& text) {
    pointsPerViewLabel->setText(fromUtf8(text));
    pointsPerViewLabel->adjustSize();
}

void MainWindow::setErrInfo(const std::string& text) {
    replayErrorLabel->setText(fromUtf8(text));
}

void MainWindow::setErrInfoVisible(bool visible) {
    replayErrorLabel->setVisible(visible);
}

bool MainWindow::errInfoVisible() const {
    return replayErrorLabel->isVisibleTo(m_client);
}

bool MainWindow::pageModeChecked() const {
    return pageModeCheck->isChecked();
}

bool MainWindow::compositeChecked() const {
    return compositeCheck->isChecked();
}

bool MainWindow::auxiliaryLinesHidden() const {
    return hideGridLinesAction->isChecked();
}

bool MainWindow::thresholdHidden() const {
    return hideThresholdAction->isChecked();
}

std::string MainWindow::colourText() const {
    return seriesColourCombo->currentText().toStdString();
}

// --- MonitorView: run buttons, page scroll bar, timer ---

void MainWindow::setRunButtonDown(int index, bool down) {
    // toggled, and with it onRunButtonToggled, follows only a change of state.
    if (QPushButton* button = at(runButtons, index))
        button->setChecked(down);
}

bool MainWindow::runButtonDown(int index) const {
    const QPushButton* button = at(runButtons, index);
    return button && button->isChecked();
}

void MainWindow::setPageScrollEnabled(bool enabled) {
    pageScrollBar->setEnabled(enabled);
}

void MainWindow::setTimerEnabled(bool enabled) {
    const int interval = m_state.pollInterval;
    if (!enabled || interval < 1) {
        pollTimer->stop();
        return;
    }
    // Enabling a running timer again keeps its rhythm.
    if (!pollTimer->isActive() || pollTimer->interval() != interval)
        pollTimer->start(interval);
}

// --- what applying the settings writes ---

void MainWindow::setRunButtonEnabled(int index, bool enabled) {
    if (QPushButton* button = at(runButtons, index))
        button->setEnabled(enabled);
}

void MainWindow::setPageScrollRange(int minimum, int maximum) {
    const QSignalBlocker quiet(pageScrollBar);
    pageScrollBar->setRange(minimum, maximum);
}

void MainWindow::setTimerInterval(std::int32_t milliseconds) {
    // A running timer keeps running at the new pace (an interval below 1 ms
    // stops it, as enabling it would); a stopped one stays stopped.
    const bool running = pollTimer->isActive();
    pollTimer->setInterval(std::max<std::int32_t>(milliseconds, 1));
    if (running && milliseconds < 1)
        pollTimer->stop();
}

void MainWindow::bindFieldSelector(FieldSelector& selector) {
    const auto show = [this, &selector] {
        const QSignalBlocker quiet(columnScrollBar);
        columnEdit->setText(QString::fromStdString(selector.watchText()));
        columnScrollBar->setValue(selector.spinValue());
    };
    selector.setChangeListener(show);
    connect(columnScrollBar, &QScrollBar::valueChanged, this, [&selector](int value) { selector.setSpinValue(value); });
    show();
}

// --- MonitorView: messages and the event pump ---

void MainWindow::showPlainMessage(const std::string& text) {
    m_messageBoxes.present(programMessageBox(text));
}

int MainWindow::showMessage(const std::string& strMsg, int intKind) {
    return ::showMessage(m_messageBoxes, strMsg, intKind);
}

// The core decides how often its loops let events run; here they simply run.
void MainWindow::letEventsRun() {
    QCoreApplication::processEvents();
}

void MainWindow::waitForEvents(int maxMs) {
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
