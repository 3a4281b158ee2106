#pragma once
// The preview window "プレビュー画面": one editable, unwrapped text box, the
// menu "ﾌｧｲﾙ" with "保存", and the top-level item lineCountAction that shows the
// text's line count. A top-level window without owner, destroyed when
// closed.

#include "secondary/PreviewServices.h"

#include <QMainWindow>

#include <cstdint>

class LargeTextEdit;
class QAction;
class QMenu;

class PreviewWindow : public QMainWindow {
    Q_OBJECT
public:
    // `services` must outlive the window.
    explicit PreviewWindow(const PreviewServices& services);
    ~PreviewWindow() override;

    // --- handlers; none lets an exception out ---
    // The text box follows the window: its height is the window's outer
    // height - 780 twips, then its width the outer width - 150. A size that
    // would be negative is reported (showMessage kind 5) and the rest of the
    // rule skipped.
    void Form_Resize();
    // lineCountAction shows the text's line count.
    void updateLineCount();
    // "保存": the text, in the data file's encoding, into a file the user chooses.
    void saveText();

    // --- controls ---
    LargeTextEdit* textEdit = nullptr;
    QMenu* fileMenu = nullptr;
    QAction* saveAction = nullptr;
    QAction* lineCountAction = nullptr;

    // The line count lineCountAction shows.
    std::int64_t lineCount = 0;

signals:
    // The window was closed; it is destroyed once control returns to the event loop.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Through showMessage of that kind, or an OK box with the program's title for kind 0.
    void reportError(const std::string& text, int kind);
    void reportResizeFailure(const std::string& dimension);

    PreviewServices m_services;
    QWidget* m_client = nullptr;
    bool m_reporting = false; // a resize failure is on screen
};
