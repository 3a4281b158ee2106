#include "secondary/PreviewWindow.h"

#include "io/AtomicFileWrite.h"
#include "base/Result.h"
#include "models/MessageBox.h"
#include "text/TextDecoder.h"
#include "surface/DesignStyle.h"
#include "largetext/LargeTextEdit.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

#include <cmath>

namespace {

using Twips = std::int64_t;

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

constexpr char kTextFileFilterText[] = "ﾃｷｽﾄﾌｧｲﾙ(*.*)\0*.*";
constexpr std::string_view kTextFileFilter(kTextFileFilterText, sizeof kTextFileFilterText - 1);

Twips twipsFromPixels(int pixels, double dpi) {
    return std::llround(pixels * 1440.0 / dpi);
}

int pixelsFromTwips(Twips twips, double dpi) {
    return static_cast<int>(std::clamp<double>(std::round(twips * dpi / 1440.0), 0, QWIDGETSIZE_MAX));
}

} // namespace

PreviewWindow::PreviewWindow(const PreviewServices& services) : m_services(services) {
    setObjectName(QStringLiteral("frmPreView"));
    setWindowTitle(QStringLiteral("プレビュー画面"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(designFont(DesignFace::Gothic, 9));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmPreViewClient"));
    setCentralWidget(m_client);
    textEdit = new LargeTextEdit(m_client);
    textEdit->setObjectName(QStringLiteral("txtEdit"));

    fileMenu = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    saveAction = fileMenu->addAction(QStringLiteral("保存"));
    saveAction->setObjectName(QStringLiteral("mnuFileSave"));
    lineCountAction = menuBar()->addAction(QString());
    lineCountAction->setObjectName(QStringLiteral("mnuPage"));

    connect(textEdit, &LargeTextEdit::textChanged, this, &PreviewWindow::updateLineCount);
    connect(saveAction, &QAction::triggered, this, &PreviewWindow::saveText);
    m_client->installEventFilter(this);

    resize(pixelsFromTwips(kClientWidth, logicalDpiX()),
           pixelsFromTwips(kClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
    updateLineCount();
}

PreviewWindow::~PreviewWindow() {
    m_client->removeEventFilter(this);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void PreviewWindow::reportError(const std::string& text, int kind) {
    try {
        if (kind == 0)
            m_services.messageBoxes.present(programMessageBox(text));
        else
            showMessage(m_services.messageBoxes, text, kind);
    } catch (...) {
        // Nothing more can be done when even the message fails.
    }
}

void PreviewWindow::Form_Resize() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const Twips outerWidth = twipsFromPixels(m_client->width(), dpiX) + kFrameWidth;
    const Twips outerHeight = twipsFromPixels(m_client->height(), dpiY) + kFrameHeight;

    const Twips height = outerHeight - kRuleHeight;
    if (height < 0) {
        reportResizeFailure("高さ");
        return; // the width is left as it was
    }
    textEdit->resize(textEdit->width(), pixelsFromTwips(height, dpiY));
    const Twips width = outerWidth - kRuleWidth;
    if (width < 0) {
        reportResizeFailure("幅");
        return;
    }
    textEdit->resize(pixelsFromTwips(width, dpiX), textEdit->height());
}

void PreviewWindow::reportResizeFailure(const std::string& dimension) {
    // The box is modal and the window may go on resizing meanwhile: one
    // report at a time.
    if (m_reporting)
        return;
    m_reporting = true;
    reportError(
        resizeErrorMessage(Error{kErrInvalidValue, "ウィンドウが小さすぎるため、テキストボックスの" +
                                                           dimension + "を負の値にはできません。"}),
        5);
    m_reporting = false;
}

void PreviewWindow::updateLineCount() {
    lineCount = textEdit->lineCount();
    lineCountAction->setText(QString::number(lineCount));
}

void PreviewWindow::saveText() {
    try {
        const std::string path =
            m_services.showFileDialog(m_services.fileDialogOwner, kTextFileFilter, std::string(), true);
        if (path.empty())
            return;
        // Nothing is written unless every character can be: the file keeps
        // its old content otherwise.
        const auto bytes = m_services.codec.fromUtf8(textEdit->textUtf8());
        if (!bytes) {
            reportError(fileErrorMessage(bytes.error()), 0);
        } else if (auto written = writeFileAtomically(path, *bytes); !written) {
            reportError(fileErrorMessage(written.error()), 0);
        }
    } catch (...) {
        reportError(fileErrorMessage(currentFailure()), 0);
    }
}
