#include "mainwin/MainWindow.h"

#include "models/CommandLine.h"
#include "models/MessageBox.h"
#include "settings/SettingsDialogPort.h"
#include "surface/DesignStyle.h"
#include "widgets/FileDrops.h"
#include "widgets/SurfaceView.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

MainWindow::MainWindow(SettingsDialogPort& settingsDialog, QWidget* parent)
    : QMainWindow(parent), m_settingsDialog(settingsDialog), m_geometry(designGeometry()) {
    setObjectName(QStringLiteral("frmMonMain"));
    setWindowTitle(QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmMonMainClient"));
    m_client->setFont(designFont(DesignFace::Gothic, 9));
    setCentralWidget(m_client);

    createControls();
    createMenus();
    applyGeometry();
    connectControls();
    connectNavigation();

    m_client->installEventFilter(this);
    m_graphView->installEventFilter(this);
    keepShortcutsFromControls();
    resize(pixelsFromTwips(kDesignClientWidth, logicalDpiX()),
           pixelsFromTwips(kDesignClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
}

void MainWindow::keepShortcutsFromControls() {
    for (QWidget* control : m_client->findChildren<QWidget*>())
        control->installEventFilter(this);
}

MainWindow::~MainWindow() {
    m_client->removeEventFilter(this);
    m_graphView->removeEventFilter(this);
}

void MainWindow::connectControls() {
    for (const RunButton button : kRunButtons)
        connect(runButton(button), &QPushButton::toggled, this,
                [this, button] { emit runButtonToggled(button); });
    connect(m_resetButton, &QPushButton::clicked, this, &MainWindow::resetRequested);
    connect(m_settingsButton, &QPushButton::clicked, this, &MainWindow::showSettingsDialog);
    connect(m_pollTimer, &QTimer::timeout, this, &MainWindow::pollTimedOut);
    connect(m_columnScrollBar, &QScrollBar::valueChanged, this, &MainWindow::columnSpinMoved);

    connect(m_openDataFileAction, &QAction::triggered, this, &MainWindow::openDataFile);
    connect(m_loadImageAction, &QAction::triggered, this, &MainWindow::loadImageRequested);
    connect(m_saveImageAction, &QAction::triggered, this, &MainWindow::saveImageRequested);
    connect(m_printImageAction, &QAction::triggered, this, &MainWindow::printImageRequested);
    connect(m_quitAction, &QAction::triggered, this, &MainWindow::quitRequested);
    connect(m_clearAllAction, &QAction::triggered, this, &MainWindow::clearAllRequested);
    connect(m_copyGraphAction, &QAction::triggered, this, &MainWindow::copyGraphRequested);
    connect(m_previewSamplesAction, &QAction::triggered, this,
            [this] { withBusyPointer([this] { emit previewSamplesRequested(); }); });
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::aboutRequested);
    connect(m_showStaleAction, &QAction::toggled, this, &MainWindow::watchSwitchesToggled);
    connect(m_thresholdAlarmAction, &QAction::toggled, this, &MainWindow::watchSwitchesToggled);
    connect(m_stayOnTopAction, &QAction::toggled, this, &MainWindow::toggleStayOnTop);
    connect(m_graphOnlyAction, &QAction::triggered, this, &MainWindow::showGraphOnly);
    for (std::size_t i = 0; i < m_placementActions.size(); ++i)
        connect(m_placementActions[i], &QAction::triggered, this, [this, i] { placeWindow(kPlacements[i]); });

    new FileDropFilter(this, [this](const QMimeData& data) { onWindowDrop(data); });
    new FileDropFilter(m_graphView, [this](const QMimeData& data) { onGraphDrop(data); });
}

QPushButton* MainWindow::runButton(RunButton button) const {
    return m_runButtons[static_cast<std::size_t>(button)];
}

// --- start-up ---

void MainWindow::setVisible(bool visible) {
    if (visible && !m_initialised) {
        m_initialised = true;
        initialiseWindow();
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::initialiseWindow() {
    // Nothing can run before settings are applied, which enables these.
    for (QPushButton* button : m_runButtons)
        button->setEnabled(false);
    m_stayOnTopAction->setChecked(false);
    handleCommandLine();
}

std::string MainWindow::handleCommandLine() {
    if (m_commandLineText.empty())
        return {};
    CommandLineTokens split = splitCommandLine(m_commandLineText);
    for (const std::string& token : split.tokens)
        m_settingsDialog.setDataFileText(token);
    m_settingsDialog.showDialog();
    return std::move(split.remaining);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    emit quitRequested();
    event->accept();
}

// --- commands the window handles itself ---

void MainWindow::showSettingsDialog() {
    m_settingsDialog.showDialog();
}

void MainWindow::openDataFile() {
    m_settingsDialog.showDialog();
}

void MainWindow::onWindowDrop(const QMimeData& data) {
    try {
        const std::vector<std::string> files = droppedFiles(data);
        if (files.empty())
            return;
        m_settingsDialog.setDataFileText(files.front());
        m_settingsDialog.showDialog();
    } catch (...) {
        // A failed drop ends without a message.
    }
}

void MainWindow::onGraphDrop(const QMimeData& data) {
    onWindowDrop(data);
}

void MainWindow::withBusyPointer(const std::function<void()>& work) {
    setCursor(Qt::WaitCursor);
    work();
    unsetCursor();
}

// --- layout ---

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // A text field would take Ctrl+C and its like for itself; the menu's
        // own shortcuts win over it.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const auto actions = findChildren<QAction*>();
        if (std::any_of(actions.begin(), actions.end(),
                        [&](const QAction* action) { return action->shortcut() == pressed; })) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::Resize) {
        if (watched == m_client)
            layoutControls();
        else if (watched == m_graphView)
            emit graphResized();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::layoutControls() {
    const Twips outerWidth = twipsFromPixels(m_client->width(), logicalDpiX()) + kDesignFrameWidth;
    const Twips outerHeight = twipsFromPixels(m_client->height(), logicalDpiY()) + kDesignFrameHeight;
    m_geometry = layoutMainWindow(m_geometry, outerWidth, outerHeight);
    applyGeometry();
    // The graph repaints from its picture; nothing is plotted again.
    m_graphView->update();
}

void MainWindow::place(QWidget* control, const TwipRect& rect) {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    control->setGeometry(pixelsFromTwips(rect.left, dpiX), pixelsFromTwips(rect.top, dpiY),
                         pixelsFromTwips(rect.width, dpiX), pixelsFromTwips(rect.height, dpiY));
}

void MainWindow::applyGeometry() {
    const MainWindowGeometry& g = m_geometry;
    place(m_seriesColourCombo, g.seriesColourCombo);
    place(m_compositeCheck, g.compositeCheck);
    place(m_testButton, g.testButton);
    place(m_resetButton, g.resetButton);
    place(m_pageScrollBar, g.pageScrollBar);
    place(m_pageModeCheck, g.pageModeCheck);
    place(m_columnScrollBar, g.columnScrollBar);
    place(m_columnEdit, g.columnEdit);
    for (std::size_t i = 0; i < m_runButtons.size(); ++i)
        place(m_runButtons[i], g.runButtons[i]);
    place(m_settingsButton, g.settingsButton);
    place(m_graphView, g.graphView);
    place(m_replayErrorLabel, g.replayErrorLabel);
    place(m_nowMarkerLabel, g.nowMarkerLabel);
    // The points-per-view label sizes itself to its text; only its position is laid out.
    m_pointsPerViewLabel->move(pixelsFromTwips(g.pointsPerViewLabel.left, logicalDpiX()),
                               pixelsFromTwips(g.pointsPerViewLabel.top, logicalDpiY()));
    place(m_pagePositionLabel, g.pagePositionLabel);
    place(m_statusLabel, g.statusLabel);
    for (std::size_t i = 0; i < m_valueLabels.size(); ++i)
        place(m_valueLabels[i], g.valueLabels[i]);
    for (std::size_t i = 0; i < m_scaleLabels.size(); ++i)
        place(m_scaleLabels[i], g.scaleLabels[i]);
}

// --- what the monitor shows ---

void MainWindow::setScaleLabel(int index, const QString& text) {
    if (index < 0 || index >= kScaleLabelCount)
        return;
    QLabel* label = m_scaleLabels[static_cast<std::size_t>(index)];
    label->setText(text);
    label->setToolTip(text);
}

void MainWindow::setValueLabel(ValueLabel label, const QString& text) {
    m_valueLabels[static_cast<std::size_t>(label)]->setText(text);
}

void MainWindow::setStatusText(const QString& text) {
    m_statusLabel->setText(text);
}

QString MainWindow::statusText() const {
    return m_statusLabel->text();
}

void MainWindow::setPointsPerViewText(const QString& text) {
    m_pointsPerViewLabel->setText(text);
    m_pointsPerViewLabel->adjustSize();
}

void MainWindow::setReplayErrorText(const QString& text) {
    m_replayErrorLabel->setText(text);
}

void MainWindow::setReplayErrorVisible(bool visible) {
    m_replayErrorLabel->setVisible(visible);
}

bool MainWindow::replayErrorVisible() const {
    return m_replayErrorLabel->isVisibleTo(m_client);
}

void MainWindow::showColumn(const QString& text, int spinValue) {
    const QSignalBlocker quiet(m_columnScrollBar);
    m_columnEdit->setText(text);
    m_columnScrollBar->setValue(spinValue);
}

// --- the view switches ---

bool MainWindow::pageModeChecked() const {
    return m_pageModeCheck->isChecked();
}

bool MainWindow::compositeChecked() const {
    return m_compositeCheck->isChecked();
}

bool MainWindow::gridLinesHidden() const {
    return m_hideGridLinesAction->isChecked();
}

bool MainWindow::thresholdHidden() const {
    return m_hideThresholdAction->isChecked();
}

bool MainWindow::pointerValueShown() const {
    return m_showPointerValueAction->isChecked();
}

bool MainWindow::staleShown() const {
    return m_showStaleAction->isChecked();
}

bool MainWindow::thresholdAlarmOn() const {
    return m_thresholdAlarmAction->isChecked();
}

void MainWindow::setNowValueColour(std::optional<Colour> colour) {
    QLabel* label = m_valueLabels[static_cast<std::size_t>(ValueLabel::Now)];
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour.value_or(kBlue)));
    label->setPalette(palette);
}

QString MainWindow::seriesColourText() const {
    return m_seriesColourCombo->currentText();
}

// --- run buttons, page scroll bar, timer ---

void MainWindow::setRunButtonDown(RunButton button, bool down) {
    // toggled, and with it runButtonToggled, follows only a change of state.
    runButton(button)->setChecked(down);
}

bool MainWindow::runButtonDown(RunButton button) const {
    return runButton(button)->isChecked();
}

void MainWindow::setRunButtonEnabled(RunButton button, bool enabled) {
    runButton(button)->setEnabled(enabled);
}

void MainWindow::setPageScrollEnabled(bool enabled) {
    m_pageScrollBar->setEnabled(enabled);
}

void MainWindow::setPageScrollRange(int minimum, int maximum) {
    const QSignalBlocker quiet(m_pageScrollBar);
    m_pageScrollBar->setRange(minimum, maximum);
    // The label follows the thumb once it shows a page; no page is replayed.
    if (!m_pagePositionLabel->text().isEmpty())
        showPagePosition();
}

void MainWindow::showPagePosition() {
    m_pagePositionLabel->setText(
        QStringLiteral("%1/%2").arg(m_pageScrollBar->value()).arg(m_pageScrollBar->maximum()));
}

void MainWindow::setPollTimerEnabled(bool enabled, int interval) {
    if (!enabled || interval < 1) {
        m_pollTimer->stop();
        return;
    }
    if (!m_pollTimer->isActive() || m_pollTimer->interval() != interval)
        m_pollTimer->start(interval);
}

void MainWindow::setPollTimerInterval(int interval) {
    const bool running = m_pollTimer->isActive();
    if (running && interval < 1) {
        m_pollTimer->stop();
        return;
    }
    // The same interval again keeps the rhythm of a running timer.
    if (m_pollTimer->interval() != std::max(interval, 1))
        m_pollTimer->setInterval(std::max(interval, 1));
}

// --- the graph ---

void MainWindow::setGraphImageSource(std::function<const QImage*()> source) {
    m_graphView->setImageSource(std::move(source));
}

void MainWindow::updateGraph() {
    m_graphView->update();
}

QSize MainWindow::graphSize() const {
    return m_graphView->size();
}

double MainWindow::graphDotsPerInch() const {
    return m_graphView->logicalDpiX();
}

void MainWindow::setGraphToolTip(const QString& text) {
    m_graphView->setToolTip(text);
}

QString MainWindow::graphToolTip() const {
    return m_graphView->toolTip();
}
