#pragma once
// The preview window "プレビュー画面": one editable, unwrapped text box, the
// menu "ﾌｧｲﾙ" with "保存", and the top-level item mnuPage that shows the
// text's line count. A top-level window without owner, destroyed when
// closed.

#include "secondary/PreviewServices.h"

#include <QMainWindow>

#include <cstdint>

class PreviewTextEdit;
class QAction;
class QMenu;

class frmPreView : public QMainWindow {
    Q_OBJECT
public:
    // `services` must outlive the window.
    explicit frmPreView(const PreviewServices& services);
    ~frmPreView() override;

    // --- handlers; none lets an exception out ---
    // The text box follows the window: its height is the window's outer
    // height - 780 twips, then its width the outer width - 150. A size that
    // would be negative is reported (ShowMsg kind 5) and the rest of the
    // rule skipped.
    void Form_Resize();
    // mnuPage shows the text's line count.
    void txtEdit_Change();
    // "保存": the text, in the data file's encoding, into a file the user chooses.
    void mnuFileSave_Click();

    // --- controls ---
    PreviewTextEdit* txtEdit = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuPage = nullptr;

    // The line count mnuPage shows.
    std::int64_t lngLineCnt = 0;

signals:
    // The window was closed; it is destroyed once control returns to the event loop.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Through ShowMsg of that kind, or an OK box with the program's title for kind 0.
    void reportError(const std::string& text, int kind);
    void reportResizeFailure(const std::string& dimension);

    PreviewServices m_services;
    QWidget* m_client = nullptr;
    bool m_reporting = false; // a resize failure is on screen
};
