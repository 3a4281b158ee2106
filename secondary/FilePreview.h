#pragma once
// The one preview window and what it shows: the head of a file, or the
// samples held for the graph. The window is created on first use, shown
// modeless without owner, brought forward with the new text when shown
// again, and forgotten when the user closes it.

#include "secondary/PreviewServices.h"

#include <QPointer>

#include <cstdint>
#include <string>

class PreviewWindow;
class SampleRing;

class FilePreview {
public:
    explicit FilePreview(PreviewServices services);
    ~FilePreview(); // destroys a window still open
    FilePreview(const FilePreview&) = delete;
    FilePreview& operator=(const FilePreview&) = delete;

    // Puts the bytes of `path` that readPreviewBytes gives for `byteCount`
    // (0: the whole file) into the preview window, creating it when needed,
    // decoded in the data file's encoding (a character cut off at the end
    // decodes as the codec decodes it); the screen-wide busy pointer shows
    // meanwhile. Then shows the window and brings it forward; the keyboard
    // stays where it is, since the settings dialog previews at every
    // keystroke in its path field. On a failure (a missing file, a read
    // failure, no memory) the window keeps its text, an OK box with the
    // program's title says "Error: (" n ") " CR LF message, and the result
    // is false.
    bool showFilePreview(const std::string& path, std::int32_t byteCount);

    // "表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示": the samples held for the graph,
    // oldest first, one a line, through a uniquely named file in the
    // system's temporary folder that is removed afterwards. Failures are
    // reported; the window is shown all the same.
    void showBufferedValues(const SampleRing& samples);

    // Creates the window when needed, shows it and brings it forward; with
    // `activate` it takes the keyboard too.
    void show(bool activate = true);
    // The window while it exists, null otherwise.
    PreviewWindow* window() const;

private:
    PreviewWindow& ensureWindow();
    // The file's bytes into the window; false, reported, on a failure.
    bool loadFile(const std::string& path, std::int32_t byteCount);
    void report(const std::string& text);

    PreviewServices m_services;
    QPointer<PreviewWindow> m_window;
};
