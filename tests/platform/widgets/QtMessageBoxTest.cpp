// Real message boxes, answered from the test as soon as they are up.

#include "widgets/QtMessageBoxPresenter.h"
#include "widgets/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

QMessageBox* shownBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        return box;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            return box;
    return nullptr;
}

// Once the box is up, hands it to `answer`, which looks at it and answers it.
void whenShown(bool& found, std::function<void(QMessageBox&)> answer, int triesLeft = 200) {
    QTimer::singleShot(0, [&found, answer, triesLeft] {
        if (QMessageBox* box = shownBox()) {
            found = true;
            answer(*box);
        } else if (triesLeft > 0) {
            whenShown(found, answer, triesLeft - 1);
        }
    });
}

std::function<void(QMessageBox&)> press(QMessageBox::StandardButton button) {
    return [button](QMessageBox& box) { box.button(button)->click(); };
}

const auto closeBox = [](QMessageBox& box) { box.close(); };

TEST(QtMessageBox, EveryKindShowsItsBoxAndNormalisesTheAnswer) {
    using B = QMessageBox;
    const struct {
        int kind;
        const char* title;
        QMessageBox::Icon icon;
        QStringList buttons; // as shown, in Japanese like the rest of the interface
        QMessageBox::StandardButton defaultButton;
        std::function<void(QMessageBox&)> answer;
        int expected;
    } cases[] = {
        {1, "確認", B::NoIcon, {"OK"}, B::Ok, closeBox, 1},
        {2, "確認", B::NoIcon, {"いいえ(&N)", "はい(&Y)"}, B::No, closeBox, 2},
        {3, "確認", B::NoIcon, {"いいえ(&N)", "はい(&Y)", "キャンセル"}, B::Cancel, closeBox, 3},
        {4, "警告", B::Warning, {"いいえ(&N)", "はい(&Y)"}, B::No, press(B::Yes), 1},
        {5, "エラー", B::Critical, {"OK"}, B::Ok, press(B::Ok), 1},
        {6, "確認", B::NoIcon, {"OK", "キャンセル"}, B::Cancel, closeBox, 3},
        {7, "警告", B::Warning, {"OK"}, B::Ok, press(B::Ok), 1},
        {0, "確認", B::NoIcon, {"OK"}, B::Ok, closeBox, 1},
    };
    ASSERT_TRUE(installJapaneseTranslations());
    QtMessageBoxPresenter presenter;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", expected answer " << c.expected);
        bool found = false;
        whenShown(found, [&c](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), QString::fromUtf8(c.title));
            EXPECT_EQ(box.text(), QStringLiteral("<b>/tmp/データ.csv</b>"));
            EXPECT_EQ(box.textFormat(), Qt::PlainText) << "a file name must not be read as markup";
            EXPECT_EQ(box.icon(), c.icon);
            QStringList shown;
            for (const QAbstractButton* button : box.buttons())
                shown << button->text();
            shown.sort();
            EXPECT_EQ(shown, c.buttons);
            EXPECT_EQ(box.standardButton(box.defaultButton()), c.defaultButton);
            c.answer(box);
        });
        EXPECT_EQ(showMessage(presenter, "<b>/tmp/データ.csv</b>", c.kind), c.expected);
        EXPECT_TRUE(found);
    }
}

} // namespace
