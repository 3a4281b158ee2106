#pragma once
// The start-up module: the whole program start once the application object
// exists.

#include <memory>
#include <string>

class MessageBoxPresenter;
class TextDecoder;
class SettingsDialogPort;
class frmMonMain;
struct MonitorState;

namespace basArea {

// Creates the main window for `commandLineText` (the data-file words joined
// as one text) and shows it, modeless and without owner. Showing runs the
// window's load first: the defaults, the disabled run buttons and CommandArg,
// which may open the settings dialog before the main window appears.
std::unique_ptr<frmMonMain> showMainWindow(MonitorState& state, SettingsDialogPort& settingsDialog,
                                           MessageBoxPresenter& messageBoxes,
                                           const std::string& commandLineText);

// The entry routine: shows the main window with the program's own state,
// message boxes and settings dialog, wired to the monitor, then runs the
// event loop. Texts from the data file are decoded with `decoder`. The
// program ends through endProgram; the result is the event loop's, should it
// ever return.
int run(const std::string& commandLineText, std::unique_ptr<TextDecoder> decoder);

} // namespace basArea
