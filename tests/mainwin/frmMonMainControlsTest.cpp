// The controls as the user meets them: kinds, texts, tool tips, fonts,
// colours and their stacking.

#include "tests/mainwin/MainWindowFixture.h"

#include "platform/widgets/SurfaceView.h"

#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include <tuple>

namespace {

enum class Face { Gothic, PGothic };

struct ControlCase {
    const char* name;
    const char* kind;
    const char* text;
    const char* toolTip;
    Face face;
    double points;
    bool visible = true;
};

const char* const kGothic = "ＭＳ ゴシック";
const char* const kPGothic = "ＭＳ Ｐゴシック";

QString textOf(const QWidget* widget) {
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentText();
    return widget->property("text").toString();
}

const ControlCase kControls[] = {
    {"cmbColor", "QComboBox", "黄", "合成する線の色の設定", Face::Gothic, 8.25},
    {"chkMultView", "QCheckBox", "合成", "頁単位表示でデータを合成して表示します", Face::Gothic, 8.25},
    {"Command1", "QPushButton", "tes", "", Face::PGothic, 8.25, false},
    {"cmdInit", "QPushButton", "&Init", "画面,ﾒﾓﾘ,Max,Minの初期化", Face::Gothic, 8.25},
    {"scrH", "QScrollBar", "", "", Face::Gothic, 9},
    {"chkReDraw", "QCheckBox", "Replay:頁単位で移動",
     "「再生」に指定した範囲を一度に表示します(ｽｸﾛｰﾙ表示なし)", Face::Gothic, 8.25},
    {"scrV", "QScrollBar", "", "", Face::Gothic, 9},
    {"txtWatch", "QLineEdit", "1", "表示内容切替。n番目の値を表示します", Face::Gothic, 9},
    {"chkStart_2", "QPushButton", "&New", "ﾃﾞｰﾀﾌｧｲﾙの最新ﾃﾞｰﾀを取得し出力します", Face::Gothic, 8.25},
    {"chkStart_1", "QPushButton", "Re&Play", "ﾃﾞｰﾀﾌｧｲﾙの内容を再生します", Face::Gothic, 8.25},
    {"chkStart_0", "QPushButton", "S&Ttop", "[RePlay]or[New]をStopします", Face::Gothic, 8.25},
    {"cmdGrp", "QPushButton", "&Set", "ﾃﾞｰﾀﾌｧｲﾙ、ｸﾞﾗﾌ等を設定する画面を表示します", Face::Gothic, 8.25},
    {"picView", "SurfaceView", "", "", Face::PGothic, 9},
    {"lblErrInfo", "QLabel", "", "", Face::PGothic, 9, false},
    {"lblTopInfo", "QLabel", "Now▼", "", Face::Gothic, 8.25},
    {"lblHeadInfo", "QLabel", "", "", Face::Gothic, 8.25},
    {"lblScrH", "QLabel", "", "", Face::Gothic, 9},
    {"lblInfo", "QLabel", "Information", "", Face::Gothic, 9},
    {"lblNowValVal_0", "QLabel", "Max: 0", "", Face::Gothic, 9},
    {"lblNowValVal_1", "QLabel", "Now: 0", "", Face::Gothic, 9},
    {"lblNowValVal_2", "QLabel", "Min: 0", "", Face::Gothic, 9},
    {"lblViewMem_0", "QLabel", "-", "", Face::PGothic, 9},
    {"lblViewMem_1", "QLabel", "-", "", Face::PGothic, 9},
    {"lblViewMem_2", "QLabel", "-", "", Face::PGothic, 9},
    {"lblViewMem_3", "QLabel", "-", "", Face::PGothic, 9},
    {"lblViewMem_4", "QLabel", "-", "", Face::PGothic, 9},
};

using ControlsTest = MainWindowTest;

TEST_F(ControlsTest, EveryControlHasItsKindTextToolTipAndFont) {
    const QWidget* client = window->centralWidget();
    for (const auto& c : kControls) {
        SCOPED_TRACE(c.name);
        const auto* widget = client->findChild<QWidget*>(QLatin1String(c.name), Qt::FindDirectChildrenOnly);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), c.kind);
        EXPECT_EQ(textOf(widget), QString::fromUtf8(c.text));
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(c.toolTip));
        EXPECT_EQ(widget->isVisibleTo(client), c.visible);

        const QFont font = widget->font();
        EXPECT_EQ(font.families().value(0), QString::fromUtf8(c.face == Face::Gothic ? kGothic : kPGothic));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        // Whatever the design face, the text is drawn with an installed Japanese font.
        EXPECT_TRUE(font.families().contains(QFontInfo(font).family()))
            << QFontInfo(font).family().toStdString();
    }
}

TEST_F(ControlsTest, AreCreatedInTheirDesignOrderSoLaterOnesLieAbove) {
    QStringList order;
    for (const QObject* child : window->centralWidget()->children())
        if (child->isWidgetType())
            order << child->objectName();
    QStringList expected;
    for (const auto& c : kControls)
        expected << QLatin1String(c.name);
    EXPECT_EQ(order, expected);
}

TEST_F(ControlsTest, LabelColoursAreTheDesignColours) {
    const std::pair<const QWidget*, QColor> cases[] = {
        {window->lblTopInfo, QColor(0, 0, 255)},      {window->lblInfo, QColor(0, 0, 255)},
        {window->lblNowValVal[0], QColor(0, 0, 255)}, {window->lblNowValVal[2], QColor(0, 0, 255)},
        {window->lblViewMem[0], QColor(0, 128, 0)},   {window->lblViewMem[4], QColor(0, 128, 0)},
        {window->lblErrInfo, QColor(255, 255, 255)},
    };
    for (const auto& [label, colour] : cases)
        EXPECT_EQ(label->palette().color(QPalette::WindowText), colour) << label->objectName().toStdString();
}

TEST_F(ControlsTest, ColourListAndFieldSelector) {
    QStringList items;
    for (int i = 0; i < window->cmbColor->count(); ++i)
        items << window->cmbColor->itemText(i);
    EXPECT_EQ(items, (QStringList{"黄", "白", "青", "赤", "水"}));
    EXPECT_FALSE(window->cmbColor->isEditable());
    EXPECT_EQ(window->scrV->orientation(), Qt::Vertical);
    EXPECT_EQ(std::tuple(window->scrV->minimum(), window->scrV->maximum(), window->scrV->value()),
              std::tuple(1, 1000, 1));
    EXPECT_TRUE(window->txtWatch->isReadOnly());
}

} // namespace
