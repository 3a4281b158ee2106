#include "mainwin/basArea.h"

#include "core/TextDecoder.h"
#include "mainwin/MainProgram.h"
#include "platform/widgets/QtMessageBoxPresenter.h"

#include <QApplication>

namespace basArea {

int run(const std::string& commandLineText, std::unique_ptr<TextDecoder> decoder) {
    QtMessageBoxPresenter messageBoxes;
    MainProgram program(std::move(decoder), messageBoxes, ShowFileChoice, BrowseFolder);
    messageBoxes.setParentWidget(&program.mainWindow());
    program.start(commandLineText);
    return QApplication::exec();
}

} // namespace basArea
