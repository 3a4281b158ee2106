// The dialog's controls, their texts and fonts, and how they are laid out.

#include "monitor/MonitorSettings.h"
#include "settings/RuleLineEdit.h"
#include "settings/SettingsDialog.h"
#include "surface/DesignStyle.h"
#include "text/FieldExtraction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <iterator>

namespace {

using enum DialogControl;

// The hints beside and under the fields are blue.
constexpr Colour kHintColour = kBlue;

QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

QLabel* hint(const char* text) {
    QLabel* shown = label(text);
    QPalette colours = shown->palette();
    colours.setColor(QPalette::WindowText, toQColor(kHintColour));
    shown->setPalette(colours);
    return shown;
}

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    return layout;
}

} // namespace

RuleLineEdit* SettingsDialog::addField(DialogControl field, bool numeric) {
    auto* edit = new RuleLineEdit(
        m_model, field, [this](const std::function<void()>& work) { guarded(work); }, this);
    edit->setObjectName(QString::fromUtf8(controlName(field)));
    if (numeric) {
        edit->setAlignment(Qt::AlignRight);
        edit->setInputMethodHints(Qt::ImhPreferNumbers);
    }
    m_widgets[static_cast<std::size_t>(field)] = edit;
    return edit;
}

void SettingsDialog::createControls() {
    setFont(designFont(DesignFace::Gothic, 9));
    const QFont smallFont = designFont(DesignFace::Gothic, 8.25);
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const auto fieldWidth = [digit](int characters) { return digit * characters + 12; };

    const auto named = [this]<class W>(W* widget, DialogControl control) {
        widget->setObjectName(QString::fromUtf8(controlName(control)));
        m_widgets[static_cast<std::size_t>(control)] = widget;
        return widget;
    };
    const auto button = [&](const char* caption, DialogControl control) {
        return named(new QPushButton(QString::fromUtf8(caption), this), control);
    };
    const auto checkBox = [&](const char* caption, DialogControl control) {
        return named(new QCheckBox(QString::fromUtf8(caption), this), control);
    };
    const auto group = [&](const char* caption, DialogControl control) {
        return named(new QGroupBox(QString::fromUtf8(caption), this), control);
    };
    const auto hiddenElement = [this](QWidget* parent, const char* name) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QLatin1String(name));
        edit->setAlignment(Qt::AlignRight);
        edit->hide();
        return edit;
    };

    // Created first, so that they lead the tab order.
    m_applyButton = button("設定(&S)", DialogControl::applyButton);
    m_closeButton = button("閉じる(&Q)", DialogControl::closeButton);

    // --- データファイル ---
    m_dataFileGroup = group("データファイル", DialogControl::dataFileGroup);
    m_dataFileEdit = addField(DialogControl::dataFileEdit, false);
    m_dataFileEdit->setMinimumWidth(fieldWidth(60));
    m_browseDataFileButton = button("...", DialogControl::browseDataFileButton);
    m_browseDataFileButton->setFixedWidth(fieldWidth(3));
    m_delimiterCombo = named(new QComboBox(this), DialogControl::delimiterCombo);
    m_delimiterCombo->setEditable(false);
    for (std::string_view name : kDelimiterNames)
        m_delimiterCombo->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    m_delimiterCombo->setCurrentIndex(-1);
    m_columnEdit[0] = addField(DialogControl::columnEdit, true);
    m_columnEdit[0]->setObjectName(QStringLiteral("txtDatCol_0"));
    m_columnEdit[0]->setFixedWidth(fieldWidth(4));
    m_columnEdit[1] = hiddenElement(m_dataFileGroup, "txtDatCol_1");
    m_columnScrollBar = named(new QScrollBar(Qt::Vertical, this), DialogControl::columnScrollBar);
    m_columnScrollBar->setRange(kMinColumn, kMaxColumn);
    m_columnScrollBar->setSingleStep(1);
    m_columnScrollBar->setPageStep(1);
    m_columnScrollBar->setFixedSize(16, m_columnEdit[0]->sizeHint().height());
    m_skipDelimiterRunsCheck = checkBox("連続する区切り文字は無視", DialogControl::skipDelimiterRunsCheck);
    m_firstLineTestButton = button("1行目取得ﾃｽﾄ", DialogControl::firstLineTestButton);
    m_firstLineTestButton->setFont(smallFont);
    m_testResultEdit = addField(DialogControl::testResultEdit, false);
    m_previewCheck = checkBox("ﾌﾟﾚﾋﾞｭｰ画面表示", DialogControl::previewCheck);
    m_previewBytesEdit = addField(DialogControl::previewBytesEdit, true);
    m_previewBytesEdit->setFixedWidth(fieldWidth(8));
    m_replayPauseEdit = addField(DialogControl::replayPauseEdit, true);
    m_replayPauseEdit->setFixedWidth(fieldWidth(8));
    m_pollIntervalEdit = addField(DialogControl::pollIntervalEdit, true);
    m_pollIntervalEdit->setFixedWidth(fieldWidth(8));

    auto* dataLayout = new QVBoxLayout(m_dataFileGroup);
    dataLayout->addLayout(row({m_dataFileEdit, m_browseDataFileButton}));
    QHBoxLayout* delimiterRow = row({m_delimiterCombo, label("で区切られた")});
    delimiterRow->addSpacing(16);
    QHBoxLayout* spin = row({m_columnEdit[0], m_columnScrollBar});
    spin->setSpacing(0); // the spin sits against its field
    delimiterRow->addLayout(spin);
    delimiterRow->addWidget(label("番目の値を表示"));
    delimiterRow->addStretch();
    delimiterRow->addWidget(m_skipDelimiterRunsCheck);
    dataLayout->addLayout(delimiterRow);
    QHBoxLayout* testRow = row({m_firstLineTestButton, m_testResultEdit});
    dataLayout->addLayout(testRow);
    QHBoxLayout* previewRow = row({m_previewCheck});
    previewRow->addSpacing(8);
    previewRow->addWidget(label("(先頭から"));
    previewRow->addWidget(m_previewBytesEdit);
    previewRow->addWidget(label("Byte表示)"));
    previewRow->addStretch();
    dataLayout->addLayout(previewRow);
    auto* intervals = new QGridLayout;
    intervals->addWidget(label("表示間隔(ﾐﾘ秒)："), 0, 0);
    intervals->addWidget(m_replayPauseEdit, 0, 1);
    intervals->addWidget(hint("「Replay」時の表示間隔 (1000=1秒)"), 0, 2);
    intervals->addWidget(label("最新取得間隔(ﾐﾘ秒):"), 1, 0);
    intervals->addWidget(m_pollIntervalEdit, 1, 1);
    intervals->addWidget(hint("「New」時のﾃﾞｰﾀ採取間隔 (1000=1秒)"), 1, 2);
    intervals->setColumnStretch(2, 1);
    dataLayout->addLayout(intervals);

    // --- グラフ: X軸 and Y軸 side by side ---
    m_graphGroup = group("グラフ", DialogControl::graphGroup);
    m_xAxisGroup = group("X軸", DialogControl::xAxisGroup);
    m_pageSizeFromFileButton = button("表示項目数(頁単位):", DialogControl::pageSizeFromFileButton);
    m_pageSizeEdit[0] = hiddenElement(m_xAxisGroup, "txtRange_0");
    m_pageSizeEdit[1] = addField(DialogControl::pageSizeEdit, true);
    m_pageSizeEdit[1]->setObjectName(QStringLiteral("txtRange_1"));
    m_pageSizeEdit[1]->setFixedWidth(fieldWidth(10));
    m_pointsPerViewEdit = addField(DialogControl::pointsPerViewEdit, true);
    m_pointsPerViewEdit->setFixedWidth(fieldWidth(10));
    QLabel* xmemHint = hint("※ 値を大きくすると全体のイメージが見やすくなります。");
    xmemHint->setFont(smallFont);

    auto* xLayout = new QGridLayout(m_xAxisGroup);
    xLayout->addWidget(m_pageSizeFromFileButton, 0, 0);
    xLayout->addWidget(m_pageSizeEdit[1], 0, 1);
    xLayout->addWidget(label("表示項目数(通常):"), 1, 0, Qt::AlignRight);
    xLayout->addWidget(m_pointsPerViewEdit, 1, 1);
    xLayout->addWidget(xmemHint, 2, 0, 1, 2);
    xLayout->setRowStretch(3, 1);

    m_yAxisGroup = group("Y軸", DialogControl::yAxisGroup);
    m_thresholdEdit = addField(DialogControl::thresholdEdit, true);
    m_thresholdEdit->setFixedWidth(fieldWidth(4));
    m_scaleTopEdit = addField(DialogControl::scaleTopEdit, true);
    m_scaleTopEdit->setFixedWidth(fieldWidth(14));
    m_scaleBottomEdit = addField(DialogControl::scaleBottomEdit, true);
    m_scaleBottomEdit->setFixedWidth(fieldWidth(14));
    m_autoScaleCheck = checkBox("Max/Minを自動調整する", DialogControl::autoScaleCheck);

    auto* yLayout = new QGridLayout(m_yAxisGroup);
    yLayout->addWidget(label("しきい値(%):"), 0, 0, Qt::AlignRight);
    yLayout->addWidget(m_thresholdEdit, 0, 1, Qt::AlignLeft);
    yLayout->addWidget(label("Max値:"), 1, 0, Qt::AlignRight);
    yLayout->addWidget(m_scaleTopEdit, 1, 1);
    yLayout->addWidget(label("Min値:"), 2, 0, Qt::AlignRight);
    yLayout->addWidget(m_scaleBottomEdit, 2, 1);
    yLayout->addWidget(m_autoScaleCheck, 3, 0, 1, 2);

    auto* setLayout = new QHBoxLayout(m_graphGroup);
    setLayout->addWidget(m_xAxisGroup, 1);
    setLayout->addWidget(m_yAxisGroup);

    // --- Out File ---
    m_imageOutputGroup = group("Out File (グラフ画像保存先)", DialogControl::imageOutputGroup);
    m_saveSweepImagesCheck =
        checkBox("表示項目数が一巡する度にBitmapファイルに保存する", DialogControl::saveSweepImagesCheck);
    m_sweepFolderEdit = addField(DialogControl::sweepFolderEdit, false);
    m_browseSweepFolderButton = button("保存先", DialogControl::browseSweepFolderButton);
    auto* outLayout = new QVBoxLayout(m_imageOutputGroup);
    outLayout->addWidget(m_saveSweepImagesCheck);
    outLayout->addLayout(row({m_sweepFolderEdit, m_browseSweepFolderButton}));

    // --- 拡張設定: additions below the others, so those keep their places ---
    m_extraGroup = group("拡張設定", DialogControl::extraGroup);
    m_patternCheck = checkBox("抽出パターン(正規表現)", DialogControl::patternCheck);
    m_patternEdit = addField(DialogControl::patternEdit, false);
    m_fitScaleCheck = checkBox("0を含めない", DialogControl::fitScaleCheck);
    auto* extraLayout = new QGridLayout(m_extraGroup);
    extraLayout->addWidget(m_patternCheck, 0, 0);
    extraLayout->addWidget(m_patternEdit, 0, 1);
    extraLayout->addWidget(m_fitScaleCheck, 1, 0, 1, 2);
    extraLayout->setColumnStretch(1, 1);

    // --- the window ---
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_applyButton);
    buttons->addWidget(m_closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_dataFileGroup);
    layout->addWidget(m_graphGroup);
    layout->addWidget(m_imageOutputGroup);
    layout->addWidget(m_extraGroup);
    layout->addLayout(buttons);

    // The buttons, then the fields in reading order.
    QWidget* const chain[] = {
        m_applyButton,         m_closeButton,          m_dataFileEdit,           m_browseDataFileButton,
        m_delimiterCombo,      m_columnEdit[0],        m_columnScrollBar,        m_skipDelimiterRunsCheck,
        m_firstLineTestButton, m_testResultEdit,       m_previewCheck,           m_previewBytesEdit,
        m_replayPauseEdit,     m_pollIntervalEdit,     m_pageSizeFromFileButton, m_pageSizeEdit[1],
        m_pointsPerViewEdit,   m_thresholdEdit,        m_scaleTopEdit,           m_scaleBottomEdit,
        m_autoScaleCheck,      m_saveSweepImagesCheck, m_sweepFolderEdit,        m_browseSweepFolderButton,
        m_patternCheck,        m_patternEdit,          m_fitScaleCheck};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}
