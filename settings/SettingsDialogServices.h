#pragma once
// What the settings dialog reaches outside itself: the monitor it edits, the
// main window as the monitor sees it, the decoder for the first-line test,
// and the choosers and the preview it opens.

#include "widgets/FileChooser.h"
#include "widgets/FolderChooser.h"

#include <cstdint>
#include <functional>
#include <string>

class ApplyTarget;
class Monitor;
class MonitorView;
class QWidget;
class TextDecoder;

// Shows the head of a data file in the preview window: `byteCount` bytes of
// it, the whole file for 0.
using FilePreviewFunction = std::function<void(const std::string& path, std::int32_t byteCount)>;

// Every object named here must outlive the dialog's host. None is used
// before the dialog is first created, so they may still be under
// construction when the host is made.
struct SettingsDialogServices {
    Monitor& monitor;
    MonitorView& view;       // the main window: messages, and what applying shows
    ApplyTarget& mainWindow; // the main window's controls that applying sets
    const TextDecoder& decoder;
    QWidget* owner = nullptr; // owns the file chooser, as every file choice of the program
    FileChooser chooseFile = ::chooseFile;
    FolderChooser browseFolder = ::browseFolder;
    FilePreviewFunction showFilePreview; // none: "ﾌﾟﾚﾋﾞｭｰ画面表示" shows nothing
};
