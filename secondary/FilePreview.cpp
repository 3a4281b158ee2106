#include "secondary/FilePreview.h"

#include "models/MessageBox.h"
#include "models/PreviewSource.h"
#include "io/TemporaryFile.h"
#include "text/TextDecoder.h"
#include "largetext/LargeTextEdit.h"
#include "secondary/PreviewWindow.h"

#include <QGuiApplication>

#include <limits>

namespace {

// The screen-wide busy pointer while it lives.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

void reportFailure(MessageBoxPresenter& boxes, const std::string& text) {
    try {
        boxes.present(programMessageBox(text));
    } catch (...) {
        // Nothing more can be done when even the message fails.
    }
}

} // namespace

bool showFilePreview(const std::string& strFile, LargeTextEdit& objText, std::int32_t& lngSize,
                     const PreviewServices& services) {
    Error error;
    {
        BusyPointer busy;
        try {
            auto bytes = readPreviewBytes(strFile, lngSize);
            if (bytes) {
                std::string text = services.codec.toUtf8(*bytes);
                *bytes = std::string(); // its memory is needed for the text box
                objText.setText(std::move(text));
                return true;
            }
            error = bytes.error();
        } catch (...) {
            error = currentFailure();
        }
    }
    reportFailure(services.messageBoxes, fileErrorMessage(error));
    return false;
}

FilePreview::FilePreview(PreviewServices services) : m_services(std::move(services)) {}

FilePreview::~FilePreview() {
    delete m_window.data();
}

PreviewWindow* FilePreview::window() const {
    return m_window.data();
}

PreviewWindow& FilePreview::ensureWindow() {
    if (!m_window) {
        m_window = new PreviewWindow(m_services);
        // A closed window is only deleted later; it must not be shown again meanwhile.
        QObject::connect(m_window, &PreviewWindow::closed, m_window, [this] { m_window.clear(); });
    }
    return *m_window;
}

void FilePreview::show(bool activate) {
    PreviewWindow& window = ensureWindow();
    window.setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    window.show();
    window.raise();
    if (activate)
        window.activateWindow();
}

bool FilePreview::showFilePreview(const std::string& strFile, std::int32_t& lngSize) {
    if (!::showFilePreview(strFile, *ensureWindow().textEdit, lngSize, m_services))
        return false;
    show(false);
    return true;
}

void FilePreview::report(const std::string& text) {
    reportFailure(m_services.messageBoxes, text);
}

void FilePreview::showBufferedValues(const MonitorState& state) {
    try {
        TemporaryFile file;
        const std::string text = bufferedValuesText(state);
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            report(fileErrorMessage(
                Error{kErrOverflow, "表示中のデータが大きすぎてプレビューできません。"}));
        } else if (auto created = file.create(".txt", text); !created) {
            report(fileErrorMessage(created.error()));
        } else {
            auto size = static_cast<std::int32_t>(text.size());
            ::showFilePreview(file.path(), *ensureWindow().textEdit, size, m_services);
        }
    } catch (...) {
        report(fileErrorMessage(currentFailure()));
    }
    show();
}
