#include "mainwin/basArea.h"

#include "core/MonitorState.h"
#include "core/TextDecoder.h"
#include "mainwin/MonitorSession.h"
#include "mainwin/SettingsDialogPort.h"
#include "mainwin/frmMonMain.h"
#include "platform/widgets/QtMessageBoxPresenter.h"

#include <QApplication>

namespace basArea {

std::unique_ptr<frmMonMain> showMainWindow(MonitorState& state, SettingsDialogPort& settingsDialog,
                                           MessageBoxPresenter& messageBoxes,
                                           const std::string& commandLineText) {
    auto window = std::make_unique<frmMonMain>(state, settingsDialog, messageBoxes);
    window->setCommandLineText(commandLineText);
    window->show();
    return window;
}

int run(const std::string& commandLineText, std::unique_ptr<TextDecoder> decoder) {
    MonitorState state;
    NoSettingsDialog settingsDialog;
    QtMessageBoxPresenter messageBoxes;
    frmMonMain mainWindow(state, settingsDialog, messageBoxes);
    messageBoxes.setParentWidget(&mainWindow);
    // Wired before the first showing, whose load may already open the dialog.
    MonitorSession session(state, mainWindow, std::move(decoder));
    mainWindow.setCommandLineText(commandLineText);
    mainWindow.show();
    return QApplication::exec();
}

} // namespace basArea
