#pragma once
// The folder browser of "保存先".

#include <functional>
#include <string>

class QWidget;

// Lets the user choose an existing folder, modally over `owner` with the
// title `title`. The chosen folder ending with "/", or empty when the user
// cancelled.
std::string browseFolder(QWidget* owner, const std::string& title);

// The browser as its callers hold it, so that tests can put a fake in its place.
using FolderChooser = std::function<std::string(QWidget* owner, const std::string& title)>;
