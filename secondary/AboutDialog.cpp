#include "secondary/AboutDialog.h"

#include "base/ProgramVersion.h"
#include "models/MainWindowLayout.h"
#include "models/ProgramFiles.h"
#include "surface/DesignStyle.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

namespace {

// The design's client area and the etched separator, in twips.
constexpr Twips kClientWidth = 5520;
constexpr Twips kClientHeight = 3060;
constexpr Twips kSeparatorTop = 2160;
constexpr Twips kSeparatorWhiteEnd = 5549;
constexpr Twips kSeparatorGreyEnd = 5564;

QLabel* makeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

} // namespace

AboutDialog::AboutDialog() {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFont(designFont(DesignFace::Gothic, 9));

    m_iconLabel = makeLabel(this, "picIcon");
    m_iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    m_titleLabel = makeLabel(this, "lblTitle");
    m_versionLabel = makeLabel(this, "lblVersion");
    m_webPageLabel = makeLabel(this, "lblDescription");
    QFont underlined = font();
    underlined.setUnderline(true);
    m_webPageLabel->setFont(underlined);
    m_webPageLabel->setCursor(Qt::PointingHandCursor);
    m_webPageLabel->installEventFilter(this);
    m_noticeLabel = makeLabel(this, "lblDisclaimer");
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    // The default button takes Enter; Esc rejects the dialog, which closes it too.
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &AboutDialog::close);
    connect(this, &QDialog::finished, this, [this] { close(); });

    place(m_iconLabel, 240, 120, 540, 540);
    place(m_titleLabel, 960, 240, 4365, 360);
    place(m_versionLabel, 960, 600, 4365, 225);
    place(m_webPageLabel, 960, 960, 4005, 330);
    place(m_noticeLabel, 960, 1320, 4335, 615);
    place(m_okButton, 4320, 2280, 1140, 345);
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    setFixedSize(pixelsFromTwips(kClientWidth, dpiX), pixelsFromTwips(kClientHeight, dpiY));
    fillCaptions();
    m_okButton->setFocus();
}

void AboutDialog::place(QWidget* control, Twips left, Twips top, Twips width, Twips height) {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    control->setGeometry(pixelsFromTwips(left, dpiX), pixelsFromTwips(top, dpiY),
                         pixelsFromTwips(width, dpiX), pixelsFromTwips(height, dpiY));
}

QUrl AboutDialog::documentationUrl() {
    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    return QUrl::fromLocalFile(QString::fromStdString(documentationFile(folder)));
}

void AboutDialog::fillCaptions() {
    const QString title =
        QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size()));
    setWindowTitle(title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    m_titleLabel->setText(title);
    m_versionLabel->setText(QStringLiteral("Version: %1.%2.%3")
                                .arg(kProgramVersionMajor)
                                .arg(kProgramVersionMinor)
                                .arg(kProgramVersionPatch));
    const QString address = documentationUrl().toString();
    // A long address is shortened in the middle; the tool tip shows it whole.
    m_webPageLabel->setText(
        m_webPageLabel->fontMetrics().elidedText(address, Qt::ElideMiddle, m_webPageLabel->width()));
    m_webPageLabel->setToolTip(address);
    m_noticeLabel->setText(QStringLiteral("データファイルの数値を折れ線グラフで表示します。\n"
                                          "本ソフトウェアは無保証で提供されます。"));
}

void AboutDialog::openWebPage() {
    QDesktopServices::openUrl(documentationUrl());
    close();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched != m_webPageLabel || (!press && event->type() != QEvent::MouseButtonRelease))
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
    // A click: the press is taken here, so that the release comes here too.
    if (!press && m_webPageLabel->rect().contains(mouse->position().toPoint()))
        openWebPage();
    return true;
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The etched separator: a white line two pixels high under a grey one.
    QPainter painter(this);
    const double dpiX = logicalDpiX();
    const int top = pixelsFromTwips(kSeparatorTop, logicalDpiY());
    const int whiteEnd = pixelsFromTwips(kSeparatorWhiteEnd, dpiX);
    const int greyEnd = pixelsFromTwips(kSeparatorGreyEnd, dpiX);
    painter.fillRect(0, top, whiteEnd, 2, Qt::white);
    painter.fillRect(0, top, greyEnd, 1, QColor(128, 128, 128));
}
