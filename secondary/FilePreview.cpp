#include "secondary/FilePreview.h"

#include "io/TemporaryFile.h"
#include "models/MessageBox.h"
#include "models/PreviewSource.h"
#include "secondary/PreviewWindow.h"
#include "text/TextDecoder.h"

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

} // namespace

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

bool FilePreview::loadFile(const std::string& path, std::int32_t byteCount) {
    Error error;
    {
        BusyPointer busy;
        try {
            auto bytes = readPreviewBytes(path, byteCount);
            if (bytes) {
                std::string text = m_services.codec.toUtf8(*bytes);
                *bytes = std::string(); // its memory is needed for the text box
                ensureWindow().setText(std::move(text));
                return true;
            }
            error = bytes.error();
        } catch (...) {
            error = currentFailure();
        }
    }
    report(fileErrorMessage(error));
    return false;
}

bool FilePreview::showFilePreview(const std::string& path, std::int32_t byteCount) {
    if (!loadFile(path, byteCount))
        return false;
    show(false);
    return true;
}

void FilePreview::report(const std::string& text) {
    presentSafely(m_services.messageBoxes, programMessageBox(text));
}

void FilePreview::showBufferedValues(const SampleRing& samples) {
    try {
        TemporaryFile file;
        const std::string text = bufferedValuesText(samples);
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            report(fileErrorMessage(Error(kErrOverflow, "表示中のデータが大きすぎてプレビューできません。")));
        } else if (auto created = file.create(".txt", text); !created) {
            report(fileErrorMessage(created.error()));
        } else {
            loadFile(file.path(), static_cast<std::int32_t>(text.size()));
        }
    } catch (...) {
        report(fileErrorMessage(currentFailure()));
    }
    show();
}
