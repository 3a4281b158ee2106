#include "mainwin/Startup.h"

#include "mainwin/MainProgram.h"
#include "text/TextDecoder.h"
#include "widgets/FileChooser.h"
#include "widgets/FolderChooser.h"
#include "widgets/QtMessageBoxPresenter.h"

#include <QApplication>

namespace Startup {

int run(const std::string& commandLineText, std::unique_ptr<TextDecoder> decoder) {
    QtMessageBoxPresenter messageBoxes;
    MainProgram program(std::move(decoder), messageBoxes, chooseFile, browseFolder);
    messageBoxes.setParentWidget(&program.mainWindow());
    program.start(commandLineText);
    return QApplication::exec();
}

} // namespace Startup
