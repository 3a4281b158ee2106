#pragma once
// showFilePreview and the one preview window it shows: created on first
// use, shown modeless without owner, brought forward with the new text when
// shown again, forgotten when the user closes it.

#include "secondary/PreviewServices.h"

#include <QPointer>

#include <cstdint>
#include <string>

class LargeTextEdit;
class PreviewWindow;
struct MonitorState;

// Puts the bytes of `strFile` that readPreviewBytes gives for `lngSize`
// (0: the whole file, and `lngSize` becomes its length) into `objText`,
// decoded in the data file's encoding (a character cut off at the end
// decodes as the codec decodes it). The screen-wide busy pointer shows
// meanwhile. On a failure (a missing file, a read failure, no memory) the
// text box keeps its text, an OK box with the program's title says
// "Error: (" n ") " CR LF description, and the result is false.
bool showFilePreview(const std::string& strFile, LargeTextEdit& objText, std::int32_t& lngSize,
                     const PreviewServices& services);

class FilePreview {
public:
    explicit FilePreview(PreviewServices services);
    ~FilePreview(); // destroys a window still open
    FilePreview(const FilePreview&) = delete;
    FilePreview& operator=(const FilePreview&) = delete;

    // showFilePreview into the preview window's textEdit, creating the window
    // when needed; on success shows it and brings it forward. The keyboard
    // stays where it is: the settings dialog previews at every keystroke in
    // its path field.
    bool showFilePreview(const std::string& strFile, std::int32_t& lngSize);

    // "表示中のﾃﾞｰﾀをﾌﾟﾚﾋﾞｭｰ画面へ表示": the samples held for the graph,
    // oldest first, one a line, through a uniquely named file in the
    // system's temporary folder that is removed afterwards. Failures are
    // reported; the window is shown all the same.
    void showBufferedValues(const MonitorState& state);

    // Creates the window when needed, shows it and brings it forward; with
    // `activate` it takes the keyboard too.
    void show(bool activate = true);
    // The window while it exists, null otherwise.
    PreviewWindow* window() const;

private:
    PreviewWindow& ensureWindow();
    void report(const std::string& text);

    PreviewServices m_services;
    QPointer<PreviewWindow> m_window;
};
