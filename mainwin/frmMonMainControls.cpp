// The controls of the main window, created in their design order: a later
// control lies above an earlier one where they overlap (lblErrInfo over the
// graph).

#include "mainwin/frmMonMain.h"

#include "platform/surface/DesignStyle.h"
#include "platform/widgets/SurfaceView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {

constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kDarkGreen = 0x008000;

QString indexedName(const char* name, std::size_t index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// Fonts of the row's controls and of the graph's texts; everything else takes
// the window's own font.
QFont rowFont() {
    return designFont(DesignFace::Gothic, 8.25);
}
QFont graphFont() {
    return designFont(DesignFace::ProportionalGothic, 9);
}

template <class Widget> Widget* make(QWidget* parent, const QString& name, const QString& toolTip = {}) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    if (!toolTip.isEmpty())
        widget->setToolTip(toolTip);
    return widget;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, Qt::Alignment alignment) {
    auto* label = make<QLabel>(parent, name);
    // Labels show data and error texts, which must never be read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setText(text);
    return label;
}

void setTextColour(QWidget* widget, std::uint32_t bgr) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colourFromBgr(bgr));
    widget->setPalette(palette);
}

QPushButton* makeRunButton(QWidget* parent, std::size_t index, const QString& text, const QString& toolTip) {
    auto* button = make<QPushButton>(parent, indexedName("chkStart", index), toolTip);
    button->setText(text);
    button->setCheckable(true);
    button->setFont(rowFont());
    return button;
}

} // namespace

void frmMonMain::createControls() {
    QWidget* client = m_client;

    cmbColor = make<QComboBox>(client, QStringLiteral("cmbColor"), QStringLiteral("合成する線の色の設定"));
    cmbColor->setEditable(false);
    cmbColor->addItems({QStringLiteral("黄"), QStringLiteral("白"), QStringLiteral("青"),
                        QStringLiteral("赤"), QStringLiteral("水")});
    cmbColor->setFont(rowFont());

    chkMultView = make<QCheckBox>(client, QStringLiteral("chkMultView"),
                                  QStringLiteral("頁単位表示でデータを合成して表示します"));
    chkMultView->setText(QStringLiteral("合成"));
    chkMultView->setFont(rowFont());

    Command1 = make<QPushButton>(client, QStringLiteral("Command1"));
    Command1->setText(QStringLiteral("tes"));
    Command1->setFont(designFont(DesignFace::ProportionalGothic, 8.25));
    Command1->hide();

    cmdInit =
        make<QPushButton>(client, QStringLiteral("cmdInit"), QStringLiteral("画面,ﾒﾓﾘ,Max,Minの初期化"));
    cmdInit->setText(QStringLiteral("&Init"));
    cmdInit->setFont(rowFont());

    scrH = make<QScrollBar>(client, QStringLiteral("scrH"));
    scrH->setOrientation(Qt::Horizontal);
    // Its range comes with the applied settings; until then there is no page.
    scrH->setRange(0, 0);

    chkReDraw = make<QCheckBox>(client, QStringLiteral("chkReDraw"),
                                QStringLiteral("「再生」に指定した範囲を一度に表示します(ｽｸﾛｰﾙ表示なし)"));
    chkReDraw->setText(QStringLiteral("Replay:頁単位で移動"));
    chkReDraw->setFont(rowFont());

    scrV = make<QScrollBar>(client, QStringLiteral("scrV"));
    scrV->setOrientation(Qt::Vertical);
    scrV->setRange(1, 1000);
    scrV->setValue(1);

    txtWatch = make<QLineEdit>(client, QStringLiteral("txtWatch"),
                               QStringLiteral("表示内容切替。n番目の値を表示します"));
    txtWatch->setReadOnly(true);
    txtWatch->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtWatch->setText(QStringLiteral("1"));

    chkStart[2] = makeRunButton(client, 2, QStringLiteral("&New"),
                                QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙの最新ﾃﾞｰﾀを取得し出力します"));
    chkStart[1] =
        makeRunButton(client, 1, QStringLiteral("Re&Play"), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙの内容を再生します"));
    chkStart[0] =
        makeRunButton(client, 0, QStringLiteral("S&Ttop"), QStringLiteral("[RePlay]or[New]をStopします"));

    cmdGrp = make<QPushButton>(client, QStringLiteral("cmdGrp"),
                               QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ、ｸﾞﾗﾌ等を設定する画面を表示します"));
    cmdGrp->setText(QStringLiteral("&Set"));
    cmdGrp->setFont(rowFont());

    tmrTime = new QTimer(this);
    tmrTime->setObjectName(QStringLiteral("tmrTime"));

    picView = make<SurfaceView>(client, QStringLiteral("picView"));
    picView->setFont(graphFont());

    lblErrInfo = makeLabel(client, QStringLiteral("lblErrInfo"), {}, Qt::AlignHCenter);
    lblErrInfo->setWordWrap(true);
    lblErrInfo->setFont(graphFont());
    setTextColour(lblErrInfo, kWhite);
    lblErrInfo->hide();

    lblTopInfo = makeLabel(client, QStringLiteral("lblTopInfo"), QStringLiteral("Now▼"), Qt::AlignRight);
    lblTopInfo->setFont(rowFont());
    setTextColour(lblTopInfo, kBlue);

    lblHeadInfo = makeLabel(client, QStringLiteral("lblHeadInfo"), {}, Qt::AlignLeft);
    lblHeadInfo->setFont(rowFont());

    lblScrH = makeLabel(client, QStringLiteral("lblScrH"), {}, Qt::AlignLeft);

    lblInfo = makeLabel(client, QStringLiteral("lblInfo"), QStringLiteral("Information"), Qt::AlignLeft);
    setTextColour(lblInfo, kBlue);

    const QString values[] = {QStringLiteral("Max: 0"), QStringLiteral("Now: 0"), QStringLiteral("Min: 0")};
    for (std::size_t i = 0; i < lblNowValVal.size(); ++i) {
        lblNowValVal[i] = makeLabel(client, indexedName("lblNowValVal", i), values[i], Qt::AlignRight);
        setTextColour(lblNowValVal[i], kBlue);
    }

    for (std::size_t i = 0; i < lblViewMem.size(); ++i) {
        lblViewMem[i] = makeLabel(client, indexedName("lblViewMem", i), QStringLiteral("-"), Qt::AlignRight);
        lblViewMem[i]->setFont(graphFont());
        setTextColour(lblViewMem[i], kDarkGreen);
    }
}
