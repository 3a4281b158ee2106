#pragma once
// The main window: the graph, its scale labels, the row of run and view
// controls, the value labels and the status line, with the menus. It holds
// no run logic: it shows what it is told through its public functions
// (MainWindowView adapts them to the monitor), reports what the user does
// through its signals, and keeps to itself only what is the window's own:
// its layout, its shapes and places, and its start-up.
//
// Each control's objectName is its design name, with "_" and the index for
// the members of a control array ("chkStart_0"), so tests and tools find it.

#include "models/MainWindowLayout.h"
#include "models/Navigation.h"
#include "models/WindowShape.h"
#include "monitor/MonitorView.h"

#include <QMainWindow>
#include <QRect>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QMimeData;
class QPushButton;
class QScrollBar;
class QTimer;
class SettingsDialogPort;
class SurfaceView;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The window reaches the settings dialog through `settingsDialog`, which
    // must outlive it.
    explicit MainWindow(SettingsDialogPort& settingsDialog, QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- start-up ---
    // The command-line text the start-up takes; set before the first showing.
    void setCommandLineText(const std::string& text) { m_commandLineText = text; }
    // Places each data-file token of the command-line text into the
    // dialog's data-file field in turn and shows the dialog; returns what the
    // tokens left unconsumed. Does nothing when the text is empty.
    std::string handleCommandLine();
    // Runs the window's initialisation before the first showing.
    void setVisible(bool visible) override;

    // --- what the monitor shows ---
    void setScaleLabel(int index, const QString& text); // caption and tool tip
    void setValueLabel(ValueLabel label, const QString& text);
    void setStatusText(const QString& text);
    QString statusText() const;
    void setPointsPerViewText(const QString& text);
    void setReplayErrorText(const QString& text);
    void setReplayErrorVisible(bool visible);
    bool replayErrorVisible() const;
    // The column selector's field number and spin; setting them raises no signal.
    void showColumn(const QString& text, int spinValue);

    // --- the view switches ---
    bool pageModeChecked() const;
    bool compositeChecked() const;
    bool gridLinesHidden() const;
    bool thresholdHidden() const;
    bool pointerValueShown() const;
    bool staleShown() const;       // "更新停止を表示する"
    bool thresholdAlarmOn() const; // "しきい値超えを知らせる"
    // The Now label in `colour` (grey for a stale file, red above the
    // threshold); nothing: its usual blue.
    void setNowValueColour(std::optional<Colour> colour);
    QString seriesColourText() const;

    // --- run buttons, page scroll bar, timer ---
    // Setting a button's state raises runButtonToggled when the state changes.
    void setRunButtonDown(RunButton button, bool down);
    bool runButtonDown(RunButton button) const;
    void setRunButtonEnabled(RunButton button, bool enabled);
    void setPageScrollEnabled(bool enabled);
    // Not a user's page choice: raises no pageChosen, also when the scroll
    // bar's value moves into the new range.
    void setPageScrollRange(int minimum, int maximum);
    // Runs the poll timer every `interval` ms; an interval below 1 ms keeps it
    // stopped, as a timer of interval 0 does not tick. Enabling a running
    // timer again at the same interval keeps its rhythm.
    void setPollTimerEnabled(bool enabled, int interval);
    // A running timer keeps running at the new pace (below 1 ms stops it); a
    // stopped one stays stopped.
    void setPollTimerInterval(int interval);

    // --- the graph ---
    // Where the graph's picture comes from at each paint.
    void setGraphImageSource(std::function<const QImage*()> source);
    // Schedules a repaint of the graph.
    void updateGraph();
    QSize graphSize() const;
    double graphDotsPerInch() const;
    void setGraphToolTip(const QString& text);
    QString graphToolTip() const;

    // The geometry in force, in twips.
    const MainWindowGeometry& layoutGeometry() const { return m_geometry; }

    // --- shapes and places (MainWindowShapes.cpp) ---
    // Leaves only the graph visible, with the strip of controls directly
    // below it when asked. Any mouse-button release on the graph shows the
    // whole window again.
    void clipToGraph(bool withControlStrip);
    // Leaves only the controls of `target` visible: the union of their
    // rectangles. Controls without a size give none.
    static void clipToControls(QWidget& target);
    // The whole window again.
    void onGraphMouseReleased();
    // Removes the caption bar, or brings it back, keeping the client size.
    void onGraphDoubleClicked();
    // Makes the window as wide as its screen and 3000 twips high, parked at
    // the top, the middle or the bottom; the graph-only placements also leave
    // only the graph and its strip visible.
    void placeWindow(Placement placement);

signals:
    void runButtonToggled(RunButton button);
    void resetRequested(); // "&Init"
    void pollTimedOut();
    // The user chose a page with the page scroll bar (an arrow, the track, a
    // key, or the release of the dragged thumb). The busy pointer shows while
    // it is handled.
    void pageChosen(int page);
    void pageModeToggled();
    void columnSpinMoved(int value);
    // The pointer moved over the graph, at `y` on the chart's 0..100 scale.
    void pointerMoved(PointerButtons buttons, double y);
    void clearAllRequested(); // "全てｸﾘｱ"
    void loadImageRequested();
    void saveImageRequested();
    void printImageRequested();
    void copyGraphRequested();
    // The busy pointer shows while it is handled.
    void previewSamplesRequested();
    void aboutRequested();
    // Closing the window or "終了(&Q&ｺ)".
    void quitRequested();
    // The graph's size changed.
    void graphResized();
    // "更新停止を表示する" or "しきい値超えを知らせる" was switched.
    void watchSwitchesToggled();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void initialiseWindow();
    void createControls(); // MainWindowControls.cpp
    void createMenus();    // MainWindowMenus.cpp
    void connectControls();
    void connectNavigation(); // MainWindowNavigation.cpp
    void layoutControls();
    void applyGeometry();
    void place(QWidget* control, const TwipRect& rect);
    QPushButton* runButton(RunButton button) const;

    // --- handlers ---
    void onPageScrollChanged();
    // "page/last page" beside the page scroll bar.
    void showPagePosition();
    void showSettingsDialog();
    void openDataFile();
    // A drop on the window or on the graph: the first dropped file (or
    // folder) goes into the dialog's data-file field, running its change
    // rules, and the dialog shows; further files are ignored. A drop without
    // files does nothing, and a failure ends the drop silently.
    void onWindowDrop(const QMimeData& data);
    void onGraphDrop(const QMimeData& data);
    void toggleStayOnTop();
    void showGraphOnly();
    // The graph-only shapes leave no frame: it is taken off while they last
    // and put back as it was, the client area staying in its place.
    void clipToGraph(bool withControlStrip, const QRect& frame);
    void removeFrameForShape(const QRect& frame);
    void restoreFrameAfterShape();
    // Menu shortcuts reach their commands whatever control has the focus.
    void keepShortcutsFromControls();
    void withBusyPointer(const std::function<void()>& work);

    SettingsDialogPort& m_settingsDialog;
    QWidget* m_client = nullptr;
    MainWindowGeometry m_geometry;
    std::string m_commandLineText;
    bool m_initialised = false;
    bool m_titleBarHidden = false;
    std::optional<QRect> m_frameBeforeShape; // while a shape took the frame off

    // --- controls, in creation order ---
    QComboBox* m_seriesColourCombo = nullptr;
    QCheckBox* m_compositeCheck = nullptr;
    QPushButton* m_testButton = nullptr;
    QPushButton* m_resetButton = nullptr;
    QScrollBar* m_pageScrollBar = nullptr;
    QCheckBox* m_pageModeCheck = nullptr;
    QScrollBar* m_columnScrollBar = nullptr;
    QLineEdit* m_columnEdit = nullptr;
    std::array<QPushButton*, 3> m_runButtons{};
    QPushButton* m_settingsButton = nullptr;
    QTimer* m_pollTimer = nullptr;
    SurfaceView* m_graphView = nullptr;
    QLabel* m_replayErrorLabel = nullptr;
    QLabel* m_nowMarkerLabel = nullptr;
    QLabel* m_pointsPerViewLabel = nullptr;
    QLabel* m_pagePositionLabel = nullptr;
    QLabel* m_statusLabel = nullptr;
    std::array<QLabel*, 3> m_valueLabels{};
    std::array<QLabel*, kScaleLabelCount> m_scaleLabels{};

    // --- menus ---
    QMenu* m_fileMenu = nullptr;
    QAction* m_openDataFileAction = nullptr;
    QAction* m_loadImageAction = nullptr;
    QAction* m_saveImageAction = nullptr;
    QAction* m_printImageAction = nullptr;
    QAction* m_quitAction = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_clearAllAction = nullptr;
    QAction* m_copyGraphAction = nullptr;
    QMenu* m_viewMenu = nullptr;
    QAction* m_hideGridLinesAction = nullptr;
    QAction* m_hideThresholdAction = nullptr;
    QAction* m_showPointerValueAction = nullptr;
    QAction* m_showStaleAction = nullptr;
    QAction* m_thresholdAlarmAction = nullptr;
    QAction* m_previewSamplesAction = nullptr;
    QMenu* m_windowMenu = nullptr;
    QAction* m_stayOnTopAction = nullptr;
    QAction* m_graphOnlyAction = nullptr;
    std::array<QAction*, 5> m_placementActions{};
    QMenu* m_helpMenu = nullptr;
    QAction* m_aboutAction = nullptr;
};
