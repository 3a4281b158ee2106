#pragma once
// What the preview window reaches outside itself.

#include "widgets/FileChooser.h"

class MessageBoxPresenter;
class QWidget;
class TextDecoder;

// Every object named here must outlive the preview windows.
struct PreviewServices {
    const TextDecoder& codec; // the data file's encoding, for reading and for saving
    MessageBoxPresenter& messageBoxes;
    FileChooser chooseFile = ::chooseFile;
    QWidget* owner = nullptr; // the main window, which owns every file choice
};
