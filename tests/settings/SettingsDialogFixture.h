#pragma once
// A settings dialog wired to stand-ins for the main window, the file and
// folder choosers and the preview, so that no test waits on a real box.

#include "models/DialogModel.h"
#include "monitor/Monitor.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsDialogHost.h"
#include "support/FakeApplyTarget.h"
#include "support/FakeMonitorView.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

struct FileChooserCall {
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
    // The dialog's control by its design name ("txtInFile", "txtDatCol_0").
    template <class Widget = QWidget> Widget* control(const char* name) {
        auto* found = dialog().findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // The control of the model's `control`; the arrays' shown elements.
    template <class Widget = QWidget> Widget* control(DialogControl which) {
        if (which == DialogControl::columnEdit)
            return control<Widget>("txtDatCol_0");
        if (which == DialogControl::pageSizeEdit)
            return control<Widget>("txtRange_1");
        return control<Widget>(std::string(controlName(which)).c_str());
    }
    // Destroys what closing left for the event loop to delete.
    static void deleteClosedWindows();

    Monitor monitor;
    FakeMonitorView view;
    Utf8Decoder decoder;
    FakeApplyTarget mainWindow;
    QWidget mainWidget;
    std::string fileChooserAnswer; // what "..." returns: empty for a cancelled choice
    std::vector<FileChooserCall> fileChooserCalls;
    std::function<void()> whileFileChooserShows;                // what happens while the chooser is up
    std::vector<std::pair<std::string, std::int32_t>> previews; // path, bytes
    SettingsDialogHost settings;
};
