#pragma once
// A main window with the monitor behind it, and recording stand-ins for the
// settings dialog and the message boxes, so no test ever waits on a real box.

#include "mainwin/MainWindow.h"
#include "mainwin/MonitorSession.h"
#include "monitor/MonitorSettings.h"
#include "settings/SettingsDialogPort.h"
#include "support/FakeMessageBoxes.h"
#include "text/TextDecoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <vector>

// The child of `parent` with that design name; fails the test when there is none.
template <class T = QWidget> T* child(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

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

// UTF-8 texts, or, once `outOfMemory` is set, no memory to decode them in.
class FailingDecoder : public Utf8Decoder {
public:
    bool outOfMemory = false;
    std::string toUtf8(std::string_view bytes) const override {
        if (outOfMemory)
            throw std::bad_alloc();
        return Utf8Decoder::toUtf8(bytes);
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
    // Applies the default settings for `dataFile` with a quick timer, pages of
    // `pageLines` lines when given and a pause of `replayPause` ms after each
    // replayed line, as the settings dialog applies them to this window.
    void applySettingsFor(const std::string& dataFile, int pageLines = 0, int replayPause = 0);
    // Applies `settings`, checking that they applied.
    void apply(const MonitorSettings& settings);

    template <class T = QWidget> T* control(const char* name) const { return child<T>(*window, name); }
    Monitor& monitor() { return session.monitor(); }

    RecordingDialog dialog;
    FakeMessageBoxes boxes;
    std::unique_ptr<MainWindow> window;
    FailingDecoder* decoder; // the session's
    MonitorSession session;

private:
    explicit MainWindowTest(std::unique_ptr<FailingDecoder> ownDecoder);
};
