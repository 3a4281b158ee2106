#pragma once
// A settings dialog wired to stand-ins for the main window, the file and
// folder choosers and the preview, so that no test waits on a real box.

#include "models/ColumnSelector.h"
#include "monitor/Monitor.h"
#include "text/TextDecoder.h"
#include "settings/SettingsDialogHost.h"
#include "settings/SettingsDialog.h"
#include "support/FakeApplyTarget.h"
#include "support/FakeMonitorView.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct FileDialogCall {
    QWidget* owner;
    std::string filter;
    bool save;
};

class SettingsDialogTest : public testing::Test {
protected:
    SettingsDialogTest();
    ~SettingsDialogTest() override;

    // The dialog, created when needed but not shown.
    SettingsDialog& dialog();
    // Destroys what closing left for the event loop to delete.
    static void deleteClosedWindows();

    MonitorState state;
    FakeMonitorView view;
    Utf8Decoder decoder;
    FakeApplyTarget mainWindow;
    QWidget mainWidget;
    std::string fileDialogAnswer; // what "..." returns: empty for a cancelled choice
    std::vector<FileDialogCall> fileDialogCalls;
    std::function<void()> whileFileDialogShows;                 // what happens while the chooser is up
    std::vector<std::pair<std::string, std::int32_t>> previews; // path, bytes
    FieldSelector selector;
    SettingsDialogHost settings;
};
