// The dialog's controls, their texts and fonts, and how they are laid out.

#include "text/FieldExtraction.h"
#include "surface/DesignStyle.h"
#include "settings/RuleLineEdit.h"
#include "settings/SettingsDialog.h"

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

// The hints beside and under the fields are blue (0x00BBGGRR).
constexpr std::uint32_t kHintColour = 0xFF0000;

QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

QLabel* hint(const char* text) {
    QLabel* shown = label(text);
    QPalette colours = shown->palette();
    colours.setColor(QPalette::WindowText, colourFromBgr(kHintColour));
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
    auto* edit = new RuleLineEdit(m_model, field, this);
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
    applyButton = button("設定(&S)", DialogControl::applyButton);
    closeButton = button("閉じる(&Q)", DialogControl::closeButton);

    // --- データファイル ---
    dataFileGroup = group("データファイル", DialogControl::dataFileGroup);
    dataFileEdit = addField(DialogControl::dataFileEdit, false);
    dataFileEdit->setMinimumWidth(fieldWidth(60));
    browseDataFileButton = button("...", DialogControl::browseDataFileButton);
    browseDataFileButton->setFixedWidth(fieldWidth(3));
    delimiterCombo = named(new QComboBox(this), DialogControl::delimiterCombo);
    delimiterCombo->setEditable(false);
    for (std::string_view name : kDelimiterNames)
        delimiterCombo->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    delimiterCombo->setCurrentIndex(-1);
    columnEdit[0] = addField(DialogControl::columnEdit, true);
    columnEdit[0]->setObjectName(QStringLiteral("txtDatCol_0"));
    columnEdit[0]->setFixedWidth(fieldWidth(4));
    columnEdit[1] = hiddenElement(dataFileGroup, "txtDatCol_1");
    columnScrollBar = named(new QScrollBar(Qt::Vertical, this), DialogControl::columnScrollBar);
    columnScrollBar->setRange(DialogModel::kSpinMinimum, DialogModel::kSpinMaximum);
    columnScrollBar->setSingleStep(1);
    columnScrollBar->setPageStep(1);
    columnScrollBar->setFixedSize(16, columnEdit[0]->sizeHint().height());
    skipDelimiterRunsCheck = checkBox("連続する区切り文字は無視", DialogControl::skipDelimiterRunsCheck);
    firstLineTestButton = button("1行目取得ﾃｽﾄ", DialogControl::firstLineTestButton);
    firstLineTestButton->setFont(smallFont);
    testResultEdit = addField(DialogControl::testResultEdit, false);
    previewCheck = checkBox("ﾌﾟﾚﾋﾞｭｰ画面表示", DialogControl::previewCheck);
    previewBytesEdit = addField(DialogControl::previewBytesEdit, true);
    previewBytesEdit->setFixedWidth(fieldWidth(8));
    replayPauseEdit = addField(DialogControl::replayPauseEdit, true);
    replayPauseEdit->setFixedWidth(fieldWidth(8));
    pollIntervalEdit = addField(DialogControl::pollIntervalEdit, true);
    pollIntervalEdit->setFixedWidth(fieldWidth(8));

    auto* dataLayout = new QVBoxLayout(dataFileGroup);
    dataLayout->addLayout(row({dataFileEdit, browseDataFileButton}));
    QHBoxLayout* delimiterRow = row({delimiterCombo, label("で区切られた")});
    delimiterRow->addSpacing(16);
    QHBoxLayout* spin = row({columnEdit[0], columnScrollBar});
    spin->setSpacing(0); // the spin sits against its field
    delimiterRow->addLayout(spin);
    delimiterRow->addWidget(label("番目の値を表示"));
    delimiterRow->addStretch();
    delimiterRow->addWidget(skipDelimiterRunsCheck);
    dataLayout->addLayout(delimiterRow);
    QHBoxLayout* testRow = row({firstLineTestButton, testResultEdit});
    dataLayout->addLayout(testRow);
    QHBoxLayout* previewRow = row({previewCheck});
    previewRow->addSpacing(8);
    previewRow->addWidget(label("(先頭から"));
    previewRow->addWidget(previewBytesEdit);
    previewRow->addWidget(label("Byte表示)"));
    previewRow->addStretch();
    dataLayout->addLayout(previewRow);
    auto* intervals = new QGridLayout;
    intervals->addWidget(label("表示間隔(ﾐﾘ秒)："), 0, 0);
    intervals->addWidget(replayPauseEdit, 0, 1);
    intervals->addWidget(hint("「Replay」時の表示間隔 (1000=1秒)"), 0, 2);
    intervals->addWidget(label("最新取得間隔(ﾐﾘ秒):"), 1, 0);
    intervals->addWidget(pollIntervalEdit, 1, 1);
    intervals->addWidget(hint("「New」時のﾃﾞｰﾀ採取間隔 (1000=1秒)"), 1, 2);
    intervals->setColumnStretch(2, 1);
    dataLayout->addLayout(intervals);

    // --- グラフ: X軸 and Y軸 side by side ---
    graphGroup = group("グラフ", DialogControl::graphGroup);
    xAxisGroup = group("X軸", DialogControl::xAxisGroup);
    pageSizeFromFileButton = button("表示項目数(頁単位):", DialogControl::pageSizeFromFileButton);
    pageSizeEdit[0] = hiddenElement(xAxisGroup, "txtRange_0");
    pageSizeEdit[1] = addField(DialogControl::pageSizeEdit, true);
    pageSizeEdit[1]->setObjectName(QStringLiteral("txtRange_1"));
    pageSizeEdit[1]->setFixedWidth(fieldWidth(10));
    pointsPerViewEdit = addField(DialogControl::pointsPerViewEdit, true);
    pointsPerViewEdit->setFixedWidth(fieldWidth(10));
    QLabel* xmemHint = hint("※ 値を大きくすると全体のイメージが見やすくなります。");
    xmemHint->setFont(smallFont);

    auto* xLayout = new QGridLayout(xAxisGroup);
    xLayout->addWidget(pageSizeFromFileButton, 0, 0);
    xLayout->addWidget(pageSizeEdit[1], 0, 1);
    xLayout->addWidget(label("表示項目数(通常):"), 1, 0, Qt::AlignRight);
    xLayout->addWidget(pointsPerViewEdit, 1, 1);
    xLayout->addWidget(xmemHint, 2, 0, 1, 2);
    xLayout->setRowStretch(3, 1);

    yAxisGroup = group("Y軸", DialogControl::yAxisGroup);
    thresholdEdit = addField(DialogControl::thresholdEdit, true);
    thresholdEdit->setFixedWidth(fieldWidth(4));
    scaleTopEdit = addField(DialogControl::scaleTopEdit, true);
    scaleTopEdit->setFixedWidth(fieldWidth(14));
    scaleBottomEdit = addField(DialogControl::scaleBottomEdit, true);
    scaleBottomEdit->setFixedWidth(fieldWidth(14));
    autoScaleCheck = checkBox("Max/Minを自動調整する", DialogControl::autoScaleCheck);

    auto* yLayout = new QGridLayout(yAxisGroup);
    yLayout->addWidget(label("しきい値(%):"), 0, 0, Qt::AlignRight);
    yLayout->addWidget(thresholdEdit, 0, 1, Qt::AlignLeft);
    yLayout->addWidget(label("Max値:"), 1, 0, Qt::AlignRight);
    yLayout->addWidget(scaleTopEdit, 1, 1);
    yLayout->addWidget(label("Min値:"), 2, 0, Qt::AlignRight);
    yLayout->addWidget(scaleBottomEdit, 2, 1);
    yLayout->addWidget(autoScaleCheck, 3, 0, 1, 2);

    auto* setLayout = new QHBoxLayout(graphGroup);
    setLayout->addWidget(xAxisGroup, 1);
    setLayout->addWidget(yAxisGroup);

    // --- Out File ---
    imageOutputGroup = group("Out File (グラフ画像保存先)", DialogControl::imageOutputGroup);
    saveSweepImagesCheck = checkBox("表示項目数が一巡する度にBitmapファイルに保存する", DialogControl::saveSweepImagesCheck);
    sweepFolderEdit = addField(DialogControl::sweepFolderEdit, false);
    browseSweepFolderButton = button("保存先", DialogControl::browseSweepFolderButton);
    auto* outLayout = new QVBoxLayout(imageOutputGroup);
    outLayout->addWidget(saveSweepImagesCheck);
    outLayout->addLayout(row({sweepFolderEdit, browseSweepFolderButton}));

    // --- the window ---
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(dataFileGroup);
    layout->addWidget(graphGroup);
    layout->addWidget(imageOutputGroup);
    layout->addLayout(buttons);

    // The buttons, then the fields in reading order.
    QWidget* const chain[] = {applyButton,   closeButton,   dataFileEdit,  browseDataFileButton,   delimiterCombo,  columnEdit[0],
                              columnScrollBar,       skipDelimiterRunsCheck,     firstLineTestButton, testResultEdit,  previewCheck,  previewBytesEdit,
                              replayPauseEdit,   pollIntervalEdit, pageSizeFromFileButton, pageSizeEdit[1], pointsPerViewEdit,  thresholdEdit,
                              scaleTopEdit, scaleBottomEdit,     autoScaleCheck, saveSweepImagesCheck, sweepFolderEdit, browseSweepFolderButton};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}
