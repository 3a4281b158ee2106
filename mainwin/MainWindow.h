#pragma once
// The main window: the graph surface, its scale labels, the row of run and
// view controls, the value labels and the status line, with the menus. It is
// the core's MonitorView; the run logic reaches it through the handler hooks.
//
// Controls keep their design names. Each control's objectName is that name,
// with "_" and the index for the members of a control array ("chkStart_0").

#include "models/MainWindowLayout.h"
#include "monitor/MonitorSettings.h"
#include "monitor/MonitorView.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

class MessageBoxPresenter;
class SettingsDialogPort;
class SurfaceView;
struct MonitorState;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

class FieldSelector;
class ImageCommands;
class MonitorSession;
class QMimeData;
class SecondaryWindows;

class MainWindow : public QMainWindow, public MonitorView, public MainWindowApplyTarget {
    Q_OBJECT
public:
    // The window works on `state`, reaches the settings dialog through
    // `settingsDialog` and shows its message boxes through `messageBoxes`;
    // all three must outlive it.
    MainWindow(MonitorState& state, SettingsDialogPort& settingsDialog, MessageBoxPresenter& messageBoxes,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- start-up ---
    // The command-line text handleCommandLine takes; set before the first showing.
    void setCommandLineText(const std::string& text) { m_commandLineText = text; }
    // Stores the command-line text in `strCommand`, places each of its
    // data-file tokens into the dialog's dataFileEdit in turn and shows the
    // dialog; leaves in `strCommand` what was not consumed. Does nothing more
    // when the text is empty.
    void handleCommandLine(std::string& strCommand);

    // --- handler hooks: the run logic is wired in from outside ---
    // Each defaults to doing nothing, except "&Set", which shows the settings
    // dialog. An exception from a hook is reported and goes no further.
    void setRunButtonHandler(std::function<void(int index)> handler) {
        m_runButtonHandler = std::move(handler);
    }
    void setInitHandler(std::function<void()> handler) { m_initHandler = std::move(handler); }
    void setTimerHandler(std::function<void()> handler) { m_timerHandler = std::move(handler); }
    void setSettingsHandler(std::function<void()> handler) { m_settingsHandler = std::move(handler); }
    // What closing the window or "終了(&Q&ｺ)" does; endProgram(0) by default.
    void setEndProgramHandler(std::function<void()> handler) { m_endProgramHandler = std::move(handler); }

    // --- event handlers ---
    void onRunButtonToggled(int index); // a run button changed state, by the user or by code
    void resetChart();
    void showSettingsDialog();
    void onPollTimeout();
    void quitProgram();
    // Lays the controls out for the current client size and repaints the graph.
    void Form_Resize();

    // --- image commands (frmMonMainImages.cpp) ---
    // Connects "画像読込", "画像保存", "画像印刷" and the clipboard copy to
    // `commands` and enables them; nullptr disables them again. `commands`
    // must outlive its use here.
    void wireImageCommands(ImageCommands* commands);
    void loadImage();
    void saveImage();
    void printImage();
    void copyGraphToClipboard();

    // The geometry in force, in twips.
    const MainWindowGeometry& formGeometry() const { return m_geometry; }

    // --- MonitorView ---
    void setScaleLabel(int index, const std::string& text) override;
    void setValueLabel(int index, const std::string& text) override;
    void setInfo(const std::string& text) override;
    std::string info() const override;
    void setHeadInfo(const std::string& text) override;
    void setErrInfo(const std::string& text) override;
    void setErrInfoVisible(bool visible) override;
    bool errInfoVisible() const override;
    bool pageModeChecked() const override;
    bool compositeChecked() const override;
    bool auxiliaryLinesHidden() const override;
    bool thresholdHidden() const override;
    std::string colourText() const override;
    void setRunButtonDown(int index, bool down) override;
    bool runButtonDown(int index) const override;
    void setPageScrollEnabled(bool enabled) override;
    // Runs pollTimer at MonitorState::pollInterval; an interval below 1 ms keeps
    // it stopped, as a timer of interval 0 does not tick.
    void setTimerEnabled(bool enabled) override;
    void showPlainMessage(const std::string& text) override;
    int showMessage(const std::string& strMsg, int intKind) override;
    void letEventsRun() override;
    void waitForEvents(int maxMs) override;

    // --- what applying the settings writes ---
    void setRunButtonEnabled(int index, bool enabled) override;
    // Moving pageScrollBar into its new range from here is no page choice of the user's.
    void setPageScrollRange(int minimum, int maximum) override;
    void setTimerInterval(std::int32_t milliseconds) override;

    // columnEdit and columnScrollBar show the field selector, and the user's spin moves go to it.
    void bindFieldSelector(FieldSelector& selector);

    // Runs Form_Load before the first showing.
    void setVisible(bool visible) override;

    // --- data files and secondary windows (frmMonMainFiles.cpp) ---
    // Enables and connects "ﾃﾞｰﾀﾌｧｲﾙ読込", "表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示"
    // and "ﾊﾞｰｼﾞｮﾝ情報(&I&ｺ)", and lets the window and graphView take file drops.
    // Both must outlive the window.
    void wireFileCommands(SecondaryWindows& windows, MonitorSession& session);
    // Shows the settings dialog.
    void openDataFile();
    // The samples held for the graph in the preview window, with the busy pointer meanwhile.
    void previewSamples();
    void showAbout();
    // A drop on the window or on graphView: the first dropped file (or folder)
    // goes into the dialog's dataFileEdit, running its change rules, and the
    // dialog shows; further files are ignored. A drop without files does
    // nothing, and a failure ends the drop silently. A run goes on.
    void onWindowDrop(const QMimeData& data);
    void onGraphDrop(const QMimeData& data);
    // Writes one line of `myText` on the graph from (Left, Top) millimetres
    // (through Locate, which leaves the surface in millimetres) in the face
    // FName ("@" before it writes vertically) at FSize points, FKakudo tenths
    // of a degree counter-clockwise, bold only when FBold is exactly -1.
    void drawRotatedText(std::int16_t FSize, const std::string& FName, std::int16_t FKakudo, std::int16_t FBold,
                      float Top, float Left, const std::string& myText);

    // --- controls, in creation order ---
    QComboBox* seriesColourCombo = nullptr;
    QCheckBox* compositeCheck = nullptr;
    QPushButton* testButton = nullptr;
    QPushButton* resetButton = nullptr;
    QScrollBar* pageScrollBar = nullptr;
    QCheckBox* pageModeCheck = nullptr;
    QScrollBar* columnScrollBar = nullptr;
    QLineEdit* columnEdit = nullptr;
    std::array<QPushButton*, 3> runButtons{};
    QPushButton* settingsButton = nullptr;
    QTimer* pollTimer = nullptr;
    SurfaceView* graphView = nullptr;
    QLabel* replayErrorLabel = nullptr;
    QLabel* nowMarkerLabel = nullptr;
    QLabel* pointsPerViewLabel = nullptr;
    QLabel* pagePositionLabel = nullptr;
    QLabel* statusLabel = nullptr;
    std::array<QLabel*, 3> valueLabels{};
    std::array<QLabel*, 5> scaleLabels{};

    // --- menus ---
    QMenu* fileMenu = nullptr;
    QAction* openDataFileAction = nullptr;
    QAction* loadImageAction = nullptr;
    QAction* saveImageAction = nullptr;
    QAction* printImageAction = nullptr;
    QAction* quitAction = nullptr;
    QMenu* editMenu = nullptr;
    QAction* clearAllAction = nullptr;
    QAction* copyGraphAction = nullptr;
    QMenu* viewMenu = nullptr;
    QAction* hideGridLinesAction = nullptr;
    QAction* hideThresholdAction = nullptr;
    QAction* showPointerValueAction = nullptr;
    QAction* previewSamplesAction = nullptr;
    QMenu* windowMenu = nullptr;
    QAction* stayOnTopAction = nullptr;
    QAction* graphOnlyAction = nullptr;
    std::array<QAction*, 5> placementActions{};
    QMenu* helpMenu = nullptr;
    QAction* aboutAction = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_QueryUnload();
    void createControls(); // frmMonMainControls.cpp
    void createMenus();    // frmMonMainMenus.cpp
    void applyGeometry();
    void place(QWidget* control, const TwipRect& rect);
    // Runs a hook; a failure is shown as "Error: (" number ") " CR LF description.
    void runHook(const std::function<void()>& hook);

    MonitorState& m_state;
    SettingsDialogPort& m_settingsDialog;
    MessageBoxPresenter& m_messageBoxes;
    QWidget* m_client = nullptr;
    MainWindowGeometry m_geometry;
    std::string m_commandLineText;
    bool m_formLoaded = false;

    std::function<void(int)> m_runButtonHandler;
    std::function<void()> m_initHandler;
    std::function<void()> m_timerHandler;
    std::function<void()> m_settingsHandler;
    std::function<void()> m_endProgramHandler;
    ImageCommands* m_imageCommands = nullptr;

    // --- data files and secondary windows ---
    SecondaryWindows* m_secondaryWindows = nullptr;
    MonitorSession* m_monitorSession = nullptr;

    // --- navigation, view options and window shapes ---
    // frmMonMainNavigation.cpp and frmMonMainShapes.cpp.
public:
    // What the page scroll bar and "全てｸﾘｱ" need of the monitor, wired in from
    // outside like the run logic: replaying one page of the data file, and
    // removing the graph's background picture. Both default to doing nothing.
    void setPageReplayHandler(std::function<void(int page)> handler) {
        m_pageReplayHandler = std::move(handler);
    }
    void setBackgroundClearHandler(std::function<void()> handler) {
        m_backgroundClearHandler = std::move(handler);
    }

    // The user chose a page with pageScrollBar (an arrow, the track, a key, or the
    // release of the dragged thumb): shows "page/last" in pagePositionLabel and replays
    // that page with the busy pointer. Nothing before the window has loaded
    // or while there is no page.
    void onPageScrollChanged();
    void onPageModeToggled();
    // The pointer moved over the graph with `buttons` held, at `y` on the
    // chart's 0..100 vertical scale: with "ﾏｳｽ移動で値を表示する" checked, the
    // graph's tool tip shows that row's scale value.
    void onGraphMouseMove(Qt::MouseButtons buttons, double y);
    // "全てｸﾘｱ": no background picture any more, then what "&Init" does.
    void clearAll();

    // Leaves only the graph visible, for iType 1 with the strip of controls
    // directly below it. Any mouse-button release on the graph shows the
    // whole window again (onGraphMouseReleased).
    void clipToGraph(std::int16_t iType);
    // Leaves only the controls of `tForm` visible: the union of their
    // rectangles. Controls without a size give none.
    void clipToControls(QWidget& tForm);
    void onGraphMouseReleased();
    // Removes the caption bar, or brings it back, keeping the client size.
    void onGraphDoubleClicked();
    void showGraphOnly();
    // Makes the window as wide as its screen and 3000 twips high, parked at
    // the top (0, 3), the middle (1) or the bottom (2, 4); 3 and 4 also
    // leave only the graph and its strip visible.
    void placeWindow(int index);
    // Keeps the window above all others while "ｳｨﾝﾄﾞｳを常に前面に表示する" is checked.
    void toggleStayOnTop();

private:
    void wireNavigationAndShapes();
    std::function<void(int)> m_pageReplayHandler;
    std::function<void()> m_backgroundClearHandler;
};
