#pragma once
// What the settings dialog reaches outside itself: the monitor state it
// edits, the main window, the field selector, the decoder for the first-line
// test, and the choosers and the preview it opens.

#include "models/DialogApply.h"
#include "widgets/FolderChooser.h"
#include "widgets/FileChooser.h"

#include <cstdint>
#include <functional>
#include <string>

class FieldSelector;
class MonitorView;
class TextDecoder;
class QWidget;
struct MonitorState;

// Shows the head of a data file in the preview window: `bytes` of it, the
// whole file for 0.
using FilePreviewFunction = std::function<void(const std::string& path, std::int32_t bytes)>;

// Every object named here must outlive the dialog's manager. None is used
// before the dialog is first created, so they may still be under
// construction when the manager is made.
struct SettingsDialogServices {
    MonitorState& state;
    MonitorView& view;       // the main window: messages, and what applying shows
    FieldSelector& selector; // the main window's field selector
    const TextDecoder& decoder;
    MainWindowApplyTarget& mainWindow;
    QWidget* mainWidget = nullptr; // owns the file chooser, as every file choice of the program
    FileDialogFunction showFileDialog = chooseFile;
    FolderBrowserFunction browseFolder = browseFolder;
    FilePreviewFunction showFilePreview; // none: "ﾌﾟﾚﾋﾞｭｰ画面表示" shows nothing
};
