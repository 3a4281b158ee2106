#include "secondary/AboutDialog.h"

#include "surface/DesignStyle.h"
#include "secondary/ProgramVersion.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include <cmath>

namespace {

// The design's client area and the etched separator, in twips.
constexpr int kClientWidth = 5520;
constexpr int kClientHeight = 3060;
constexpr int kSeparatorTop = 2160;
constexpr int kSeparatorWhiteEnd = 5549;
constexpr int kSeparatorGreyEnd = 5564;

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

    iconLabel = makeLabel(this, "picIcon");
    iconLabel->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    titleLabel = makeLabel(this, "lblTitle");
    versionLabel = makeLabel(this, "lblVersion");
    webPageLabel = makeLabel(this, "lblDescription");
    QFont underlined = font();
    underlined.setUnderline(true);
    webPageLabel->setFont(underlined);
    webPageLabel->setCursor(Qt::PointingHandCursor);
    webPageLabel->installEventFilter(this);
    noticeLabel = makeLabel(this, "lblDisclaimer");
    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("cmdOK"));
    // The default button takes Enter; Esc rejects the dialog, which closes it too.
    okButton->setDefault(true);
    okButton->setAutoDefault(true);
    connect(okButton, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);
    connect(this, &QDialog::finished, this, [this] { close(); });

    place(iconLabel, 240, 120, 540, 540);
    place(titleLabel, 960, 240, 4365, 360);
    place(versionLabel, 960, 600, 4365, 225);
    place(webPageLabel, 960, 960, 4005, 330);
    place(noticeLabel, 960, 1320, 4335, 615);
    place(okButton, 4320, 2280, 1140, 345);
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    setFixedSize(static_cast<int>(std::lround(kClientWidth * dpiX / 1440)),
                 static_cast<int>(std::lround(kClientHeight * dpiY / 1440)));
    Form_Load();
    okButton->setFocus();
}

void AboutDialog::place(QWidget* control, int left, int top, int width, int height) {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    control->setGeometry(static_cast<int>(std::lround(left * dpiX / 1440)),
                         static_cast<int>(std::lround(top * dpiY / 1440)),
                         static_cast<int>(std::lround(width * dpiX / 1440)),
                         static_cast<int>(std::lround(height * dpiY / 1440)));
}

QUrl AboutDialog::documentationUrl() {
    return QUrl::fromLocalFile(QString::fromUtf8(kDocumentationPath));
}

void AboutDialog::Form_Load() {
    const QString title = QString::fromUtf8(kProgramTitle);
    setWindowTitle(title + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    titleLabel->setText(title);
    versionLabel->setText(QStringLiteral("Version: %1.%2.%3")
                            .arg(kProgramVersionMajor)
                            .arg(kProgramVersionMinor)
                            .arg(kProgramVersionPatch));
    const QString address = documentationUrl().toString();
    // A long address is shortened in the middle; the tool tip shows it whole.
    webPageLabel->setText(
        webPageLabel->fontMetrics().elidedText(address, Qt::ElideMiddle, webPageLabel->width()));
    webPageLabel->setToolTip(address);
    noticeLabel->setText(QStringLiteral("データファイルの数値を折れ線グラフで表示します。\n"
                                          "本ソフトウェアは無保証で提供されます。"));
}

void AboutDialog::cmdOK_Click() {
    close();
}

void AboutDialog::openWebPage() {
    QDesktopServices::openUrl(documentationUrl());
    close();
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (watched != webPageLabel || (!press && event->type() != QEvent::MouseButtonRelease))
        return QDialog::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QDialog::eventFilter(watched, event);
    // A click: the press is taken here, so that the release comes here too.
    if (!press && webPageLabel->rect().contains(mouse->position().toPoint()))
        openWebPage();
    return true;
}

void AboutDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The etched separator: a white line two pixels high under a grey one.
    QPainter painter(this);
    const double dpiX = logicalDpiX();
    const int top = static_cast<int>(std::lround(kSeparatorTop * logicalDpiY() / 1440));
    const int whiteEnd = static_cast<int>(std::lround(kSeparatorWhiteEnd * dpiX / 1440));
    const int greyEnd = static_cast<int>(std::lround(kSeparatorGreyEnd * dpiX / 1440));
    painter.fillRect(0, top, whiteEnd, 2, Qt::white);
    painter.fillRect(0, top, greyEnd, 1, QColor(128, 128, 128));
}
