#pragma once
// The whole program behind its windows: the monitor state, the main window
// wired to the monitor, the field selector and the settings dialog, joined
// so that each reaches the others.

#include "models/ColumnSelector.h"
#include "monitor/Monitor.h"
#include "mainwin/MonitorSession.h"
#include "mainwin/MainWindow.h"
#include "secondary/ImageCommands.h"
#include "settings/SettingsDialogPort.h"
#include "settings/SettingsDialogServices.h"

#include <memory>
#include <string>

class MessageBoxPresenter;
class SecondaryWindows;
class SettingsDialogHost;
class TextDecoder;

class MainProgram {
public:
    // Texts from the data file are decoded with `decoder`; message boxes go
    // through `messageBoxes`, every file choice of the program through
    // `chooseFile` and the folder choice through `browseFolder`.
    // `messageBoxes` must outlive the program.
    MainProgram(std::unique_ptr<TextDecoder> decoder, MessageBoxPresenter& messageBoxes,
                FileChoiceFunction chooseFile, FolderBrowserFunction browseFolder);
    ~MainProgram();
    MainProgram(const MainProgram&) = delete;
    MainProgram& operator=(const MainProgram&) = delete;

    // Shows the main window; its load takes the command-line text, which may
    // open the settings dialog first.
    void start(const std::string& commandLineText);

    MonitorState& state() { return m_state; }
    MainWindow& mainWindow() { return m_mainWindow; }
    SettingsDialogHost& settings() { return *m_settings; }
    MonitorSession& session() { return m_session; }
    SecondaryWindows& secondaryWindows() { return *m_secondary; }

private:
    // The main window reaches the settings dialog through this from its
    // creation on; the dialog, which needs the main window, joins right after.
    class SettingsDialogLink : public SettingsDialogPort {
    public:
        SettingsDialogPort* dialog = nullptr;
        void setDataFileText(const std::string& text) override { dialog->setDataFileText(text); }
        void showDialog() override { dialog->showDialog(); }
    };

    MonitorState m_state;
    SettingsDialogLink m_settingsLink;
    MainWindow m_mainWindow;
    MonitorSession m_session;
    FieldSelector m_selector;
    std::unique_ptr<SettingsDialogHost> m_settings;
    ImageCommands m_images;

    // The preview and version windows; gone first, before what they show.
    std::unique_ptr<SecondaryWindows> m_secondary;
};
