#pragma once
// The whole program behind its windows: the main window with the monitor
// behind it, the column selector, the settings dialog, the image commands
// and the secondary windows, joined so that each reaches the others.

#include "mainwin/MainWindow.h"
#include "mainwin/MonitorSession.h"
#include "models/ColumnSelector.h"
#include "secondary/ImageCommands.h"
#include "settings/SettingsDialogHost.h"

#include <functional>
#include <memory>
#include <string>

class MessageBoxPresenter;
class SecondaryWindows;
class TextDecoder;

class MainProgram {
public:
    // Texts from the data file are decoded with `decoder`; message boxes go
    // through `messageBoxes`, every file choice of the program through
    // `chooseFile` and the folder choice through `browseFolder`.
    // `messageBoxes` must outlive the program.
    MainProgram(std::unique_ptr<TextDecoder> decoder, MessageBoxPresenter& messageBoxes,
                FileChooser chooseFile, FolderChooser browseFolder);
    ~MainProgram();
    MainProgram(const MainProgram&) = delete;
    MainProgram& operator=(const MainProgram&) = delete;

    // Shows the main window; its initialisation takes the command-line text,
    // which may open the settings dialog first.
    void start(const std::string& commandLineText);

    // What closing the main window or "終了(&Q&ｺ)" does; endProgram(0) by default.
    void setQuitHandler(std::function<void()> handler) { m_quitHandler = std::move(handler); }

    Monitor& monitor() { return m_session.monitor(); }
    MainWindow& mainWindow() { return m_mainWindow; }
    MonitorSession& session() { return m_session; }
    SettingsDialogHost& settings() { return *m_settings; }
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

    void wireCommands();

    SettingsDialogLink m_settingsLink;
    MainWindow m_mainWindow;
    MonitorSession m_session;
    ColumnSelector m_columnSelector;
    std::unique_ptr<SettingsDialogHost> m_settings;
    ImageCommands m_images;
    std::function<void()> m_quitHandler;

    // The preview and version windows; gone first, before what they show.
    std::unique_ptr<SecondaryWindows> m_secondary;
};
