#include "secondary/frmPreView.h"

#include "core/AtomicFileWrite.h"
#include "core/CoreError.h"
#include "core/MessageBox.h"
#include "core/TextDecoder.h"
#include "platform/surface/DesignStyle.h"
#include "secondary/PreviewTextEdit.h"

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

frmPreView::frmPreView(const PreviewServices& services) : m_services(services) {
    setObjectName(QStringLiteral("frmPreView"));
    setWindowTitle(QStringLiteral("プレビュー画面"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(designFont(DesignFace::Gothic, 9));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("frmPreViewClient"));
    setCentralWidget(m_client);
    txtEdit = new PreviewTextEdit(m_client);
    txtEdit->setObjectName(QStringLiteral("txtEdit"));

    mnuFile = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileSave = mnuFile->addAction(QStringLiteral("保存"));
    mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
    mnuPage = menuBar()->addAction(QString());
    mnuPage->setObjectName(QStringLiteral("mnuPage"));

    connect(txtEdit, &PreviewTextEdit::textChanged, this, &frmPreView::txtEdit_Change);
    connect(mnuFileSave, &QAction::triggered, this, &frmPreView::mnuFileSave_Click);
    m_client->installEventFilter(this);

    resize(pixelsFromTwips(kClientWidth, logicalDpiX()),
           pixelsFromTwips(kClientHeight, logicalDpiY()) + menuBar()->sizeHint().height());
    txtEdit_Change();
}

frmPreView::~frmPreView() {
    m_client->removeEventFilter(this);
}

bool frmPreView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmPreView::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void frmPreView::reportError(const std::string& text, int kind) {
    try {
        if (kind == 0)
            m_services.messageBoxes.present(programMessageBox(text));
        else
            ShowMsg(m_services.messageBoxes, text, kind);
    } catch (...) {
        // Nothing more can be done when even the message fails.
    }
}

void frmPreView::Form_Resize() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const Twips outerWidth = twipsFromPixels(m_client->width(), dpiX) + kFrameWidth;
    const Twips outerHeight = twipsFromPixels(m_client->height(), dpiY) + kFrameHeight;

    const Twips height = outerHeight - kRuleHeight;
    if (height < 0) {
        reportResizeFailure("高さ");
        return; // the width is left as it was
    }
    txtEdit->resize(txtEdit->width(), pixelsFromTwips(height, dpiY));
    const Twips width = outerWidth - kRuleWidth;
    if (width < 0) {
        reportResizeFailure("幅");
        return;
    }
    txtEdit->resize(pixelsFromTwips(width, dpiX), txtEdit->height());
}

void frmPreView::reportResizeFailure(const std::string& dimension) {
    // The box is modal and the window may go on resizing meanwhile: one
    // report at a time.
    if (m_reporting)
        return;
    m_reporting = true;
    reportError(
        resizeErrorMessage(CoreError{kErrInvalidValue, "ウィンドウが小さすぎるため、テキストボックスの" +
                                                           dimension + "を負の値にはできません。"}),
        5);
    m_reporting = false;
}

void frmPreView::txtEdit_Change() {
    lngLineCnt = txtEdit->lineCount();
    mnuPage->setText(QString::number(lngLineCnt));
}

void frmPreView::mnuFileSave_Click() {
    try {
        const std::string path =
            m_services.showFileDialog(m_services.fileDialogOwner, kTextFileFilter, std::string(), true);
        if (path.empty())
            return;
        // Nothing is written unless every character can be: the file keeps
        // its old content otherwise.
        const auto bytes = m_services.codec.fromUtf8(txtEdit->textUtf8());
        if (!bytes) {
            reportError(fileErrorMessage(bytes.error()), 0);
        } else if (auto written = writeFileAtomically(path, *bytes); !written) {
            reportError(fileErrorMessage(written.error()), 0);
        }
    } catch (...) {
        reportError(fileErrorMessage(currentFailure()), 0);
    }
}
