#include "mainwin/basArea.h"

#include "core/MonitorState.h"
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

int run(const std::string& commandLineText) {
    MonitorState state;
    NoSettingsDialog settingsDialog;
    QtMessageBoxPresenter messageBoxes;
    const auto mainWindow = showMainWindow(state, settingsDialog, messageBoxes, commandLineText);
    messageBoxes.setParentWidget(mainWindow.get());
    return QApplication::exec();
}

} // namespace basArea
