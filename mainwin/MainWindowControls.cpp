// The controls of the main window, created in their design order: a later
// control lies above an earlier one where they overlap (replayErrorLabel over the
// graph).

#include "mainwin/MainWindow.h"

#include "surface/DesignStyle.h"
#include "widgets/SurfaceView.h"

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

void MainWindow::createControls() {
    QWidget* client = m_client;

    seriesColourCombo = make<QComboBox>(client, QStringLiteral("cmbColor"), QStringLiteral("合成する線の色の設定"));
    seriesColourCombo->setEditable(false);
    seriesColourCombo->addItems({QStringLiteral("黄"), QStringLiteral("白"), QStringLiteral("青"),
                        QStringLiteral("赤"), QStringLiteral("水")});
    seriesColourCombo->setFont(rowFont());

    compositeCheck = make<QCheckBox>(client, QStringLiteral("chkMultView"),
                                  QStringLiteral("頁単位表示でデータを合成して表示します"));
    compositeCheck->setText(QStringLiteral("合成"));
    compositeCheck->setFont(rowFont());

    testButton = make<QPushButton>(client, QStringLiteral("Command1"));
    testButton->setText(QStringLiteral("tes"));
    testButton->setFont(designFont(DesignFace::ProportionalGothic, 8.25));
    testButton->hide();

    resetButton =
        make<QPushButton>(client, QStringLiteral("cmdInit"), QStringLiteral("画面,ﾒﾓﾘ,Max,Minの初期化"));
    resetButton->setText(QStringLiteral("&Init"));
    resetButton->setFont(rowFont());

    pageScrollBar = make<QScrollBar>(client, QStringLiteral("scrH"));
    pageScrollBar->setOrientation(Qt::Horizontal);
    // Its range comes with the applied settings; until then there is no page.
    pageScrollBar->setRange(0, 0);

    pageModeCheck = make<QCheckBox>(client, QStringLiteral("chkReDraw"),
                                QStringLiteral("「再生」に指定した範囲を一度に表示します(ｽｸﾛｰﾙ表示なし)"));
    pageModeCheck->setText(QStringLiteral("Replay:頁単位で移動"));
    pageModeCheck->setFont(rowFont());

    columnScrollBar = make<QScrollBar>(client, QStringLiteral("scrV"));
    columnScrollBar->setOrientation(Qt::Vertical);
    columnScrollBar->setRange(1, 1000);
    columnScrollBar->setValue(1);

    columnEdit = make<QLineEdit>(client, QStringLiteral("txtWatch"),
                               QStringLiteral("表示内容切替。n番目の値を表示します"));
    columnEdit->setReadOnly(true);
    columnEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    columnEdit->setText(QStringLiteral("1"));

    runButtons[2] = makeRunButton(client, 2, QStringLiteral("&New"),
                                QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙの最新ﾃﾞｰﾀを取得し出力します"));
    runButtons[1] =
        makeRunButton(client, 1, QStringLiteral("Re&Play"), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙの内容を再生します"));
    runButtons[0] =
        makeRunButton(client, 0, QStringLiteral("S&Ttop"), QStringLiteral("[RePlay]or[New]をStopします"));

    settingsButton = make<QPushButton>(client, QStringLiteral("cmdGrp"),
                               QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ、ｸﾞﾗﾌ等を設定する画面を表示します"));
    settingsButton->setText(QStringLiteral("&Set"));
    settingsButton->setFont(rowFont());

    pollTimer = new QTimer(this);
    pollTimer->setObjectName(QStringLiteral("tmrTime"));

    graphView = make<SurfaceView>(client, QStringLiteral("picView"));
    graphView->setFont(graphFont());

    replayErrorLabel = makeLabel(client, QStringLiteral("lblErrInfo"), {}, Qt::AlignHCenter);
    replayErrorLabel->setWordWrap(true);
    replayErrorLabel->setFont(graphFont());
    setTextColour(replayErrorLabel, kWhite);
    replayErrorLabel->hide();

    nowMarkerLabel = makeLabel(client, QStringLiteral("lblTopInfo"), QStringLiteral("Now▼"), Qt::AlignRight);
    nowMarkerLabel->setFont(rowFont());
    setTextColour(nowMarkerLabel, kBlue);

    pointsPerViewLabel = makeLabel(client, QStringLiteral("lblHeadInfo"), {}, Qt::AlignLeft);
    pointsPerViewLabel->setFont(rowFont());

    pagePositionLabel = makeLabel(client, QStringLiteral("lblScrH"), {}, Qt::AlignLeft);

    statusLabel = makeLabel(client, QStringLiteral("lblInfo"), QStringLiteral("Information"), Qt::AlignLeft);
    setTextColour(statusLabel, kBlue);

    const QString values[] = {QStringLiteral("Max: 0"), QStringLiteral("Now: 0"), QStringLiteral("Min: 0")};
    for (std::size_t i = 0; i < valueLabels.size(); ++i) {
        valueLabels[i] = makeLabel(client, indexedName("lblNowValVal", i), values[i], Qt::AlignRight);
        setTextColour(valueLabels[i], kBlue);
    }

    for (std::size_t i = 0; i < scaleLabels.size(); ++i) {
        scaleLabels[i] = makeLabel(client, indexedName("lblViewMem", i), QStringLiteral("-"), Qt::AlignRight);
        scaleLabels[i]->setFont(graphFont());
        setTextColour(scaleLabels[i], kDarkGreen);
    }
}
