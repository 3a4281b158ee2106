#include "largetext/LargeTextDocument.h"
#include "largetext/LargeTextEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

TEST(LargeTextDocument, SplitsLinesAtEveryLineEndingAndGivesTheBytesBack) {
    const std::tuple<std::string, std::vector<QString>, qsizetype, QString> cases[] = {
        {"", {""}, 0, "\n"},
        {"a\r\nb", {"a", "b"}, 1, "\r\n"},
        {"a\r\n", {"a", ""}, 1, "\r\n"},
        {"a\rbc\nd", {"a", "bc", "d"}, 2, "\r"},
        {"\n\n", {"", "", ""}, 0, "\n"},
        {"ab\tc\r\n表x", {"ab\tc", "表x"}, 9, "\r\n"},
    };
    for (const auto& [text, lines, widest, newEnding] : cases) {
        LargeTextDocument document;
        document.setText(text);
        ASSERT_EQ(document.lineCount(), static_cast<qsizetype>(lines.size())) << text;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(document.line(static_cast<qsizetype>(i)), lines[i]) << text;
        EXPECT_EQ(document.widestLine(), widest) << text;
        EXPECT_EQ(document.newLineEnding(), newEnding) << text;
        EXPECT_EQ(document.toUtf8(), text);
    }
}

TEST(LargeTextDocument, ReplacesBetweenPositionsInEitherOrderClampedToTheText) {
    const std::tuple<TextPosition, TextPosition, QString, std::string, TextPosition> cases[] = {
        // Random edits below cover the rest.
        {{1, 1}, {0, 1}, "", "ad\nef", {0, 1}},      // either order
        {{1, 9}, {99, 0}, "!", "ab\r\ncd!", {1, 3}}, // positions outside the text are clamped
    };
    for (const auto& [from, to, text, result, end] : cases) {
        LargeTextDocument document;
        document.setText("ab\r\ncd\nef");
        EXPECT_EQ(document.replace(from, to, text), end) << result;
        EXPECT_EQ(document.toUtf8(), result);
    }
    LargeTextDocument document;
    document.setText("ab\r\ncd\nef");
    EXPECT_EQ(document.text({2, 1}, {0, 1}), QStringLiteral("b\r\ncd\ne"));
}

// The offset of `position` in `text`, whose lines end at CR LF, LF or CR.
qsizetype offsetOf(const QString& text, TextPosition position) {
    qsizetype offset = 0;
    for (qsizetype line = 0; line < position.line; ++line) {
        while (text[offset] != u'\r' && text[offset] != u'\n')
            ++offset;
        offset += text.mid(offset, 2) == QStringLiteral("\r\n") ? 2 : 1;
    }
    return offset + position.column;
}

TEST(LargeTextDocument, RandomEditsMatchEditingTheWholeText) {
    std::mt19937 random(13);
    const QString pieces[] = {"", "x", "表", "\r\n", "\n", "\r", "ab\ncd", "\r\n\r\n", "y\rz"};
    QString expected = QStringLiteral("12,34\r\n表\n\n56\r");
    LargeTextDocument document;
    document.setText(expected.toStdString());
    for (int round = 0; round < 2000; ++round) {
        const auto pick = [&] {
            const auto line = static_cast<qsizetype>(random() % static_cast<unsigned>(document.lineCount()));
            const qsizetype length = document.line(line).size();
            return TextPosition{line, static_cast<qsizetype>(random() % static_cast<unsigned>(length + 1))};
        };
        TextPosition from = pick();
        TextPosition to = random() % 3 == 0 ? pick() : from;
        if (to < from)
            std::swap(from, to);
        const QString& text = pieces[random() % std::size(pieces)];
        const qsizetype start = offsetOf(expected, from);
        const qsizetype end = offsetOf(expected, to);
        const QString removed = expected.mid(start, end - start);
        ASSERT_EQ(document.text(from, to), removed) << round;
        expected.replace(start, end - start, text);
        const TextPosition inserted = document.replace(from, to, text);
        ASSERT_EQ(QString::fromStdString(document.toUtf8()), expected) << round;
        const qsizetype after = start + text.size();
        if (after == 0 || expected.mid(after - 1, 2) != QStringLiteral("\r\n")) { // else inside one line end
            ASSERT_EQ(offsetOf(expected, inserted), after) << round;
        }
        ASSERT_EQ(document.lineCount(),
                  expected.count(u'\n') + expected.count(u'\r') - expected.count(QStringLiteral("\r\n")) + 1)
            << round;
    }
}

TEST(LargeTextEdit, TypingEnterBackspaceUndoAndRedo) {
    LargeTextEdit edit;
    edit.setText("ab\r\ncd");
    QSignalSpy changes(&edit, &LargeTextEdit::textChanged);
    edit.setCursorPosition({0, 2});
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, "xy");
    EXPECT_EQ(edit.textUtf8(), "ab\r\nxy\r\ncd") << "Enter uses the text's own line ending";
    EXPECT_EQ(edit.lineCount(), 3);
    EXPECT_EQ(changes.count(), 3);

    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.textUtf8(), "abxy\r\ncd");
    EXPECT_EQ(edit.lineCount(), 2);
    QTest::keyClick(&edit, Qt::Key_End, Qt::ShiftModifier);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("表"));
    QCoreApplication::sendEvent(&edit, &typed);
    EXPECT_EQ(edit.textUtf8(), "ab表\r\ncd") << "typing replaces the selection";

    edit.undo();
    edit.undo();
    EXPECT_EQ(edit.textUtf8(), "ab\r\nxy\r\ncd");
    edit.redo();
    EXPECT_EQ(edit.textUtf8(), "abxy\r\ncd");
    edit.undo();
    edit.undo(); // "xy" typed in one go is one step
    edit.undo();
    EXPECT_EQ(edit.textUtf8(), "ab\r\ncd");
    EXPECT_FALSE(edit.canUndo());
}

TEST(LargeTextEdit, SelectAllCopyAndPasteKeepLineEndings) {
    LargeTextEdit edit;
    edit.setText("1\r\n2\n");
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1\r\n2\n"));
    QTest::keyClick(&edit, Qt::Key_Right);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.textUtf8(), "1\r\n2\n1\r\n2\n");
    EXPECT_EQ(edit.lineCount(), 5);
}

} // namespace
