// The dialog's controls, their texts and fonts, and how they are laid out.

#include "core/FieldExtraction.h"
#include "platform/surface/DesignStyle.h"
#include "settings/RuleLineEdit.h"
#include "settings/frmDialog.h"

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

RuleLineEdit* frmDialog::addField(DialogControl field, bool numeric) {
    auto* edit = new RuleLineEdit(m_model, field, this);
    edit->setObjectName(QString::fromUtf8(controlName(field)));
    if (numeric) {
        edit->setAlignment(Qt::AlignRight);
        edit->setInputMethodHints(Qt::ImhPreferNumbers);
    }
    m_widgets[static_cast<std::size_t>(field)] = edit;
    return edit;
}

void frmDialog::createControls() {
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
    OKButton = button("設定(&S)", DialogControl::OKButton);
    CancelButton = button("閉じる(&Q)", DialogControl::CancelButton);

    // --- データファイル ---
    frameData = group("データファイル", DialogControl::frameData);
    txtInFile = addField(DialogControl::txtInFile, false);
    txtInFile->setMinimumWidth(fieldWidth(60));
    cmdInFile = button("...", DialogControl::cmdInFile);
    cmdInFile->setFixedWidth(fieldWidth(3));
    cmbDelimit = named(new QComboBox(this), DialogControl::cmbDelimit);
    cmbDelimit->setEditable(false);
    for (std::string_view name : kDelimiterNames)
        cmbDelimit->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    cmbDelimit->setCurrentIndex(-1);
    txtDatCol[0] = addField(DialogControl::txtDatCol, true);
    txtDatCol[0]->setObjectName(QStringLiteral("txtDatCol_0"));
    txtDatCol[0]->setFixedWidth(fieldWidth(4));
    txtDatCol[1] = hiddenElement(frameData, "txtDatCol_1");
    scrV = named(new QScrollBar(Qt::Vertical, this), DialogControl::scrV);
    scrV->setRange(DialogModel::kSpinMinimum, DialogModel::kSpinMaximum);
    scrV->setSingleStep(1);
    scrV->setPageStep(1);
    scrV->setFixedSize(16, txtDatCol[0]->sizeHint().height());
    chkDelimit = checkBox("連続する区切り文字は無視", DialogControl::chkDelimit);
    cmdDatTest = button("1行目取得ﾃｽﾄ", DialogControl::cmdDatTest);
    cmdDatTest->setFont(smallFont);
    txtDatTest = addField(DialogControl::txtDatTest, false);
    chkPreView = checkBox("ﾌﾟﾚﾋﾞｭｰ画面表示", DialogControl::chkPreView);
    txtPreView = addField(DialogControl::txtPreView, true);
    txtPreView->setFixedWidth(fieldWidth(8));
    txtSpeed = addField(DialogControl::txtSpeed, true);
    txtSpeed->setFixedWidth(fieldWidth(8));
    txtIniInterval = addField(DialogControl::txtIniInterval, true);
    txtIniInterval->setFixedWidth(fieldWidth(8));

    auto* dataLayout = new QVBoxLayout(frameData);
    dataLayout->addLayout(row({txtInFile, cmdInFile}));
    QHBoxLayout* delimiterRow = row({cmbDelimit, label("で区切られた")});
    delimiterRow->addSpacing(16);
    QHBoxLayout* spin = row({txtDatCol[0], scrV});
    spin->setSpacing(0); // the spin sits against its field
    delimiterRow->addLayout(spin);
    delimiterRow->addWidget(label("番目の値を表示"));
    delimiterRow->addStretch();
    delimiterRow->addWidget(chkDelimit);
    dataLayout->addLayout(delimiterRow);
    QHBoxLayout* testRow = row({cmdDatTest, txtDatTest});
    dataLayout->addLayout(testRow);
    QHBoxLayout* previewRow = row({chkPreView});
    previewRow->addSpacing(8);
    previewRow->addWidget(label("(先頭から"));
    previewRow->addWidget(txtPreView);
    previewRow->addWidget(label("Byte表示)"));
    previewRow->addStretch();
    dataLayout->addLayout(previewRow);
    auto* intervals = new QGridLayout;
    intervals->addWidget(label("表示間隔(ﾐﾘ秒)："), 0, 0);
    intervals->addWidget(txtSpeed, 0, 1);
    intervals->addWidget(hint("「Replay」時の表示間隔 (1000=1秒)"), 0, 2);
    intervals->addWidget(label("最新取得間隔(ﾐﾘ秒):"), 1, 0);
    intervals->addWidget(txtIniInterval, 1, 1);
    intervals->addWidget(hint("「New」時のﾃﾞｰﾀ採取間隔 (1000=1秒)"), 1, 2);
    intervals->setColumnStretch(2, 1);
    dataLayout->addLayout(intervals);

    // --- グラフ: X軸 and Y軸 side by side ---
    frameSet = group("グラフ", DialogControl::frameSet);
    frameGrpX = group("X軸", DialogControl::frameGrpX);
    cmdFileEnd = button("表示項目数(頁単位):", DialogControl::cmdFileEnd);
    txtRange[0] = hiddenElement(frameGrpX, "txtRange_0");
    txtRange[1] = addField(DialogControl::txtRange, true);
    txtRange[1]->setObjectName(QStringLiteral("txtRange_1"));
    txtRange[1]->setFixedWidth(fieldWidth(10));
    txtIniXmem = addField(DialogControl::txtIniXmem, true);
    txtIniXmem->setFixedWidth(fieldWidth(10));
    QLabel* xmemHint = hint("※ 値を大きくすると全体のイメージが見やすくなります。");
    xmemHint->setFont(smallFont);

    auto* xLayout = new QGridLayout(frameGrpX);
    xLayout->addWidget(cmdFileEnd, 0, 0);
    xLayout->addWidget(txtRange[1], 0, 1);
    xLayout->addWidget(label("表示項目数(通常):"), 1, 0, Qt::AlignRight);
    xLayout->addWidget(txtIniXmem, 1, 1);
    xLayout->addWidget(xmemHint, 2, 0, 1, 2);
    xLayout->setRowStretch(3, 1);

    frameGrpY = group("Y軸", DialogControl::frameGrpY);
    txtIniLimit = addField(DialogControl::txtIniLimit, true);
    txtIniLimit->setFixedWidth(fieldWidth(4));
    txtIniMaxY = addField(DialogControl::txtIniMaxY, true);
    txtIniMaxY->setFixedWidth(fieldWidth(14));
    txtIniMinY = addField(DialogControl::txtIniMinY, true);
    txtIniMinY->setFixedWidth(fieldWidth(14));
    chkIniMaxY = checkBox("Max/Minを自動調整する", DialogControl::chkIniMaxY);

    auto* yLayout = new QGridLayout(frameGrpY);
    yLayout->addWidget(label("しきい値(%):"), 0, 0, Qt::AlignRight);
    yLayout->addWidget(txtIniLimit, 0, 1, Qt::AlignLeft);
    yLayout->addWidget(label("Max値:"), 1, 0, Qt::AlignRight);
    yLayout->addWidget(txtIniMaxY, 1, 1);
    yLayout->addWidget(label("Min値:"), 2, 0, Qt::AlignRight);
    yLayout->addWidget(txtIniMinY, 2, 1);
    yLayout->addWidget(chkIniMaxY, 3, 0, 1, 2);

    auto* setLayout = new QHBoxLayout(frameSet);
    setLayout->addWidget(frameGrpX, 1);
    setLayout->addWidget(frameGrpY);

    // --- Out File ---
    frameOut = group("Out File (グラフ画像保存先)", DialogControl::frameOut);
    chkViewSave = checkBox("表示項目数が一巡する度にBitmapファイルに保存する", DialogControl::chkViewSave);
    txtViewSave = addField(DialogControl::txtViewSave, false);
    cmdViewSave = button("保存先", DialogControl::cmdViewSave);
    auto* outLayout = new QVBoxLayout(frameOut);
    outLayout->addWidget(chkViewSave);
    outLayout->addLayout(row({txtViewSave, cmdViewSave}));

    // --- the window ---
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(frameData);
    layout->addWidget(frameSet);
    layout->addWidget(frameOut);
    layout->addLayout(buttons);

    // The buttons, then the fields in reading order.
    QWidget* const chain[] = {OKButton,   CancelButton,   txtInFile,  cmdInFile,   cmbDelimit,  txtDatCol[0],
                              scrV,       chkDelimit,     cmdDatTest, txtDatTest,  chkPreView,  txtPreView,
                              txtSpeed,   txtIniInterval, cmdFileEnd, txtRange[1], txtIniXmem,  txtIniLimit,
                              txtIniMaxY, txtIniMinY,     chkIniMaxY, chkViewSave, txtViewSave, cmdViewSave};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i)
        setTabOrder(chain[i], chain[i + 1]);
}
