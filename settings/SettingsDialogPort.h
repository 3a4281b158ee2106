#pragma once
// What the main window needs from the settings dialog at start-up and from
// "&Set": its data-file field and showing it. The dialog
// implements this; NoSettingsDialog stands in where no dialog is wanted.

#include <string>

class SettingsDialogPort {
public:
    virtual ~SettingsDialogPort() = default;

    // Replaces the whole text of the data-file field, creating the dialog first when it
    // does not exist. Every call counts as one change of the field, so its
    // change handling runs once per call.
    virtual void setDataFileText(const std::string& text) = 0;

    // Shows the settings dialog without blocking, creating it first when it
    // does not exist.
    virtual void showDialog() = 0;
};

// Takes every call and shows nothing.
class NoSettingsDialog final : public SettingsDialogPort {
public:
    void setDataFileText(const std::string&) override {}
    void showDialog() override {}
};
