// The controls of the main window, created in their design order: a later
// control lies above an earlier one where they overlap (the replay error label over the
// graph).

#include "mainwin/MainWindow.h"

#include "chart/Chart.h"
#include "monitor/MonitorSettings.h"
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

void setTextColour(QWidget* widget, Colour colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
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

    m_seriesColourCombo =
        make<QComboBox>(client, QStringLiteral("cmbColor"), QStringLiteral("合成する線の色の設定"));
    m_seriesColourCombo->setEditable(false);
    for (const SeriesColour& colour : kSeriesColours)
        m_seriesColourCombo->addItem(
            QString::fromUtf8(colour.name.data(), static_cast<qsizetype>(colour.name.size())));
    m_seriesColourCombo->setFont(rowFont());

    m_compositeCheck = make<QCheckBox>(client, QStringLiteral("chkMultView"),
                                       QStringLiteral("頁単位表示でデータを合成して表示します"));
    m_compositeCheck->setText(QStringLiteral("合成"));
    m_compositeCheck->setFont(rowFont());

    m_testButton = make<QPushButton>(client, QStringLiteral("Command1"));
    m_testButton->setText(QStringLiteral("tes"));
    m_testButton->setFont(designFont(DesignFace::ProportionalGothic, 8.25));
    m_testButton->hide();

    m_resetButton =
        make<QPushButton>(client, QStringLiteral("cmdInit"), QStringLiteral("画面,ﾒﾓﾘ,Max,Minの初期化"));
    m_resetButton->setText(QStringLiteral("&Init"));
    m_resetButton->setFont(rowFont());

    m_pageScrollBar = make<QScrollBar>(client, QStringLiteral("scrH"));
    m_pageScrollBar->setOrientation(Qt::Horizontal);
    // Its range comes with the applied settings; until then there is no page.
    m_pageScrollBar->setRange(0, 0);

    m_pageModeCheck =
        make<QCheckBox>(client, QStringLiteral("chkReDraw"),
                        QStringLiteral("「再生」に指定した範囲を一度に表示します(ｽｸﾛｰﾙ表示なし)"));
    m_pageModeCheck->setText(QStringLiteral("Replay:頁単位で移動"));
    m_pageModeCheck->setFont(rowFont());

    m_columnScrollBar = make<QScrollBar>(client, QStringLiteral("scrV"));
    m_columnScrollBar->setOrientation(Qt::Vertical);
    m_columnScrollBar->setRange(kMinColumn, kMaxColumn);
    m_columnScrollBar->setValue(1);

    m_columnEdit = make<QLineEdit>(client, QStringLiteral("txtWatch"),
                                   QStringLiteral("表示内容切替。n番目の値を表示します"));
    m_columnEdit->setReadOnly(true);
    m_columnEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_columnEdit->setText(QStringLiteral("1"));

    m_runButtons[2] = makeRunButton(client, 2, QStringLiteral("&New"),
                                    QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙの最新ﾃﾞｰﾀを取得し出力します"));
    m_runButtons[1] =
        makeRunButton(client, 1, QStringLiteral("Re&Play"), QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙの内容を再生します"));
    m_runButtons[0] =
        makeRunButton(client, 0, QStringLiteral("S&Ttop"), QStringLiteral("[RePlay]or[New]をStopします"));

    m_settingsButton = make<QPushButton>(client, QStringLiteral("cmdGrp"),
                                         QStringLiteral("ﾃﾞｰﾀﾌｧｲﾙ、ｸﾞﾗﾌ等を設定する画面を表示します"));
    m_settingsButton->setText(QStringLiteral("&Set"));
    m_settingsButton->setFont(rowFont());

    m_pollTimer = new QTimer(this);
    m_pollTimer->setObjectName(QStringLiteral("tmrTime"));

    m_graphView = make<SurfaceView>(client, QStringLiteral("picView"));
    m_graphView->setFont(graphFont());

    m_replayErrorLabel = makeLabel(client, QStringLiteral("lblErrInfo"), {}, Qt::AlignHCenter);
    m_replayErrorLabel->setWordWrap(true);
    m_replayErrorLabel->setFont(graphFont());
    setTextColour(m_replayErrorLabel, kWhite);
    m_replayErrorLabel->hide();

    m_nowMarkerLabel =
        makeLabel(client, QStringLiteral("lblTopInfo"), QStringLiteral("Now▼"), Qt::AlignRight);
    m_nowMarkerLabel->setFont(rowFont());
    setTextColour(m_nowMarkerLabel, kBlue);

    m_pointsPerViewLabel = makeLabel(client, QStringLiteral("lblHeadInfo"), {}, Qt::AlignLeft);
    m_pointsPerViewLabel->setFont(rowFont());

    m_pagePositionLabel = makeLabel(client, QStringLiteral("lblScrH"), {}, Qt::AlignLeft);

    m_statusLabel =
        makeLabel(client, QStringLiteral("lblInfo"), QStringLiteral("Information"), Qt::AlignLeft);
    setTextColour(m_statusLabel, kBlue);

    const QString values[] = {QStringLiteral("Max: 0"), QStringLiteral("Now: 0"), QStringLiteral("Min: 0")};
    for (std::size_t i = 0; i < m_valueLabels.size(); ++i) {
        m_valueLabels[i] = makeLabel(client, indexedName("lblNowValVal", i), values[i], Qt::AlignRight);
        setTextColour(m_valueLabels[i], kBlue);
    }

    for (std::size_t i = 0; i < m_scaleLabels.size(); ++i) {
        m_scaleLabels[i] =
            makeLabel(client, indexedName("lblViewMem", i), QStringLiteral("-"), Qt::AlignRight);
        m_scaleLabels[i]->setFont(graphFont());
        setTextColour(m_scaleLabels[i], kDarkGreen);
    }
}
