#pragma once
// The preview window "プレビュー画面": one editable, unwrapped text box, the
// menu "ﾌｧｲﾙ" with "保存", and the top-level item lineCountAction that shows the
// text's line count. A top-level window without owner, destroyed when
// closed.

#include "secondary/PreviewServices.h"

#include <QMainWindow>

#include <cstdint>
#include <string>

class LargeTextEdit;
class QAction;
class QMenu;

class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // `services` must outlive the window.
    explicit PreviewWindow(const PreviewServices& services);
    ~PreviewWindow() override;

    // Replaces the text with valid UTF-8 `utf8`.
    void setText(std::string utf8);
    // The text's lines, as the menu bar shows them.
    std::int64_t lineCount() const { return m_lineCount; }

signals:
    // The window was closed; it is destroyed once control returns to the event loop.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // --- handlers; none lets an exception out ---
    // The text box follows the window: its height is the window's outer
    // height - 780 twips, then its width the outer width - 150. A size that
    // would be negative is reported (message kind 5) once the resize is over,
    // and the rest of the rule skipped.
    void fitTextEdit();
    // The menu bar shows the text's line count.
    void updateLineCount();
    // "保存": the text, in the data file's encoding, into a file the user chooses.
    void saveText();

    // Through a message of that kind, or an OK box with the program's title for kind 0.
    void reportError(const std::string& text, int kind);
    void reportResizeFailure(const std::string& dimension);

    PreviewServices m_services;
    QWidget* m_client = nullptr;
    LargeTextEdit* m_textEdit = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_lineCountAction = nullptr;
    std::int64_t m_lineCount = 0;
    bool m_reportPending = false; // a resize failure is waiting to be shown or on screen
};
