#pragma once
// A main window with recording stand-ins for the settings dialog and the
// message boxes, so no test ever waits on a real box.

#include "monitor/Monitor.h"
#include "mainwin/MainWindow.h"
#include "settings/SettingsDialogPort.h"
#include "support/FakeMessageBoxes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Records each call as "set:<text>" or "show", and whether the main window
// was visible when the dialog was shown.
class RecordingDialog : public SettingsDialogPort {
public:
    std::vector<std::string> calls;
    const QWidget* mainWindow = nullptr;
    bool mainWindowVisibleAtShow = false;

    void setDataFileText(const std::string& text) override { calls.push_back("set:" + text); }
    void showDialog() override {
        calls.push_back("show");
        mainWindowVisibleAtShow = mainWindow && mainWindow->isVisible();
    }
};

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Shows the window and waits until it is exposed and laid out.
    void showWindow();
    // Lets the window system's resize and paint events arrive.
    static void settle();
    // Applies the default settings for `dataFile`, with a quick timer and
    // pages of `pageLines` lines when given, as the settings dialog applies
    // them to this window.
    void applySettingsFor(const std::string& dataFile, std::int32_t pageLines = 0);

    MonitorState state;
    RecordingDialog dialog;
    FakeMessageBoxes boxes;
    std::unique_ptr<MainWindow> window;
};
