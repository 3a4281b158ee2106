// Real message boxes, answered from the test as soon as they are up.

#include "platform/widgets/QtMessageBoxPresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct SeenBox {
    bool found = false;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

QMessageBox* shownBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        return box;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    return nullptr;
}

// Once the box is up, notes what it shows and answers it with `answer`.
void answerWhenShown(SeenBox& seen, std::function<void(QMessageBox&)> answer, int triesLeft = 200) {
    QTimer::singleShot(0, [&seen, answer, triesLeft] {
        QMessageBox* box = shownBox();
        if (!box) {
            if (triesLeft > 0)
                answerWhenShown(seen, answer, triesLeft - 1);
            return;
        }
        seen.found = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->standardButton(box->defaultButton());
        answer(*box);
    });
}

std::function<void(QMessageBox&)> press(QMessageBox::StandardButton button) {
    return [button](QMessageBox& box) { box.button(button)->click(); };
}

void closeBox(QMessageBox& box) {
    box.close();
}

struct RealBoxCase {
    int kind;
    const char* title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    std::function<void(QMessageBox&)> answer;
    int expected;
};

TEST(QtMessageBox, EveryKindShowsItsBoxAndNormalisesTheAnswer) {
    using B = QMessageBox;
    const RealBoxCase cases[] = {
        {1, "確認", B::NoIcon, B::Ok, B::Ok, press(B::Ok), 1},
        {1, "確認", B::NoIcon, B::Ok, B::Ok, closeBox, 1},
        {2, "確認", B::NoIcon, B::Yes | B::No, B::No, press(B::Yes), 1},
        {2, "確認", B::NoIcon, B::Yes | B::No, B::No, closeBox, 2},
        {3, "確認", B::NoIcon, B::Yes | B::No | B::Cancel, B::Cancel, press(B::Cancel), 3},
        {3, "確認", B::NoIcon, B::Yes | B::No | B::Cancel, B::Cancel, press(B::No), 2},
        {3, "確認", B::NoIcon, B::Yes | B::No | B::Cancel, B::Cancel, closeBox, 3},
        {4, "警告", B::Warning, B::Yes | B::No, B::No, press(B::No), 2},
        {5, "エラー", B::Critical, B::Ok, B::Ok, press(B::Ok), 1},
        {6, "確認", B::NoIcon, B::Ok | B::Cancel, B::Cancel, closeBox, 3},
        {6, "確認", B::NoIcon, B::Ok | B::Cancel, B::Cancel, press(B::Ok), 1},
        {7, "警告", B::Warning, B::Ok, B::Ok, press(B::Ok), 1},
        {8, "確認", B::NoIcon, B::Ok, B::Ok, press(B::Ok), 1},
        {0, "確認", B::NoIcon, B::Ok, B::Ok, closeBox, 1},
    };
    QtMessageBoxPresenter presenter;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", expected answer " << c.expected);
        SeenBox seen;
        answerWhenShown(seen, c.answer);
        const int answer = ShowMsg(presenter, "<b>/tmp/データ.csv</b>", c.kind);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seen.title, QString::fromUtf8(c.title));
        EXPECT_EQ(seen.text, QStringLiteral("<b>/tmp/データ.csv</b>"));
        EXPECT_EQ(seen.format, Qt::PlainText) << "a file name must not be read as markup";
        EXPECT_EQ(seen.icon, c.icon);
        EXPECT_EQ(seen.buttons, c.buttons);
        EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
}

} // namespace
