#pragma once
// The folder browser of "保存先".

#include <functional>
#include <string>

class QWidget;

// The browser as its callers hold it, so that tests can put a fake in its place.
using FolderBrowserFunction =
    std::function<void(QWidget* frmOwner, const std::string& strTitle, std::string& strPath)>;

// Lets the user choose an existing folder, modally over `frmOwner` with the
// title `strTitle`. `strPath` receives the folder ending with "/", or empty
// when the user cancelled.
void browseFolder(QWidget* frmOwner, const std::string& strTitle, std::string& strPath);
