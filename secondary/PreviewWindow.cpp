#include "secondary/PreviewWindow.h"

#include "base/Result.h"
#include "io/AtomicFileWrite.h"
#include "largetext/LargeTextEdit.h"
#include "models/DataFileAids.h"
#include "models/MainWindowLayout.h"
#include "models/MessageBox.h"
#include "surface/DesignStyle.h"
#include "text/TextDecoder.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

namespace {

// The design's client area.
constexpr Twips kClientWidth = 6990;
constexpr Twips kClientHeight = 5460;
// The design's frame around the client area (borders, caption and menu bar):
// the resize rule works on outer sizes, and the real frame belongs to the
// window manager, so the window adds these to its client size.
constexpr Twips kFrameWidth = 135;
constexpr Twips kFrameHeight = 735;
// What the resize rule keeps free of the outer size.
constexpr Twips kRuleWidth = 150;
constexpr Twips kRuleHeight = 780;

} // namespace

PreviewWindow::PreviewWindow(const PreviewServices& services) : m_services(services) {
    setObjectName(QStringLiteral("frmPreView"));
    setWindowTitle(QStringLiteral("プレビュー画面"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(designFont(DesignFace::Gothic, 9));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmPreViewClient"));
    setCentralWidget(m_client);
    m_textEdit = new LargeTextEdit(m_client);
    m_textEdit->setObjectName(QStringLiteral("txtEdit"));

    m_fileMenu = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    m_saveAction = m_fileMenu->addAction(QStringLiteral("保存"));
    m_saveAction->setObjectName(QStringLiteral("mnuFileSave"));
    m_lineCountAction = menuBar()->addAction(QString());
    m_lineCountAction->setObjectName(QStringLiteral("mnuPage"));

    connect(m_textEdit, &LargeTextEdit::textChanged, this, &PreviewWindow::updateLineCount);
    connect(m_saveAction, &QAction::triggered, this, &PreviewWindow::saveText);
    m_client->installEventFilter(this);

    resize(pixelsFromTwips(kClientWidth, logicalDpiX()),
           pixelsFromTwips(kClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
    updateLineCount();
}

PreviewWindow::~PreviewWindow() {
    m_client->removeEventFilter(this);
}

void PreviewWindow::setText(std::string utf8) {
    m_textEdit->setText(std::move(utf8));
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        fitTextEdit();
    return QMainWindow::eventFilter(watched, event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void PreviewWindow::reportError(const std::string& text, int kind) {
    presentSafely(m_services.messageBoxes,
                  kind == 0 ? programMessageBox(text) : messageBoxOfKind(text, kind));
}

void PreviewWindow::fitTextEdit() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const Twips outerWidth = twipsFromPixels(m_client->width(), dpiX) + kFrameWidth;
    const Twips outerHeight = twipsFromPixels(m_client->height(), dpiY) + kFrameHeight;

    const Twips height = outerHeight - kRuleHeight;
    if (height < 0) {
        reportResizeFailure("高さ");
        return; // the width is left as it was
    }
    m_textEdit->resize(m_textEdit->width(), pixelsFromTwips(height, dpiY));
    const Twips width = outerWidth - kRuleWidth;
    if (width < 0) {
        reportResizeFailure("幅");
        return;
    }
    m_textEdit->resize(pixelsFromTwips(width, dpiX), m_textEdit->height());
}

void PreviewWindow::reportResizeFailure(const std::string& dimension) {
    // Shown once the resize is over: a modal box's event loop must not run
    // inside the resize, which the toolkit is still laying out. The window
    // may go on resizing meanwhile: one report at a time.
    if (m_reportPending)
        return;
    m_reportPending = true;
    const std::string message =
        resizeErrorMessage(Error(kErrInvalidValue, "ウィンドウが小さすぎるため、テキストボックスの" +
                                                       dimension + "を負の値にはできません。"));
    QMetaObject::invokeMethod(
        this,
        [this, message] {
            reportError(message, 5);
            m_reportPending = false;
        },
        Qt::QueuedConnection);
}

void PreviewWindow::updateLineCount() {
    m_lineCount = m_textEdit->lineCount();
    m_lineCountAction->setText(QString::number(m_lineCount));
}

void PreviewWindow::saveText() {
    try {
        const std::string path =
            m_services.chooseFile(m_services.owner, kDataFileFilter, std::string(), true).path;
        if (path.empty())
            return;
        // Nothing is written unless every character can be: the file keeps
        // its old content otherwise.
        const auto bytes = m_services.codec.fromUtf8(m_textEdit->textUtf8());
        if (!bytes) {
            reportError(fileErrorMessage(bytes.error()), 0);
        } else if (auto written = writeFileAtomically(path, *bytes); !written) {
            reportError(fileErrorMessage(aboutFile(written.error(), path)), 0);
        }
    } catch (...) {
        reportError(fileErrorMessage(currentFailure()), 0);
    }
}
