#include "mainwin/basArea.h"

#include "core/MonitorState.h"
#include "core/TextDecoder.h"
#include "mainwin/MainProgram.h"
#include "mainwin/frmMonMain.h"
#include "platform/widgets/QtMessageBoxPresenter.h"
#include "settings/SettingsDialogPort.h"

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
    QtMessageBoxPresenter messageBoxes;
    MainProgram program(std::move(decoder), messageBoxes, ShowFileDialog, BrowseFolder);
    messageBoxes.setParentWidget(&program.mainWindow());
    program.start(commandLineText);
    return QApplication::exec();
}

} // namespace basArea
