#pragma once
// The program's secondary windows: the preview window with showFilePreview,
// and the version window. Each exists at most once.

#include "secondary/FilePreview.h"
#include "secondary/PreviewServices.h"

#include <QPointer>

class AboutDialog;

class SecondaryWindows {
public:
    explicit SecondaryWindows(PreviewServices services) : m_preview(std::move(services)) {}
    ~SecondaryWindows(); // destroys the windows still open
    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    FilePreview& preview() { return m_preview; }

    // Shows the version window, modeless without owner, creating it when it
    // does not exist and bringing it forward when it does.
    void showAbout();
    // The version window while it exists, null otherwise.
    AboutDialog* about() const;

private:
    FilePreview m_preview;
    QPointer<AboutDialog> m_about;
};
