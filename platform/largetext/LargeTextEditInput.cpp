// The text box's keys, mouse, clipboard, input method and undo.

#include "largetext/LargeTextEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <iterator>

namespace {

// Undo keeps this many edits; typing into one place counts as one.
constexpr std::size_t kUndoLimit = 1000;

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

bool holdsLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

} // namespace

// --- moving ---

TextPosition LargeTextEdit::moved(TextPosition from, Move move) const {
    const QString line = m_document.line(from.line);
    const qsizetype lastLine = m_document.lineCount() - 1;
    switch (move) {
    case Move::Left:
        if (from.column == 0)
            return from.line == 0 ? from : TextPosition{from.line - 1, m_document.line(from.line - 1).size()};
        from.column -= from.column >= 2 && line.at(from.column - 1).isLowSurrogate() &&
                               line.at(from.column - 2).isHighSurrogate()
                           ? 2
                           : 1;
        return from;
    case Move::Right:
        if (from.column >= line.size())
            return from.line == lastLine ? from : TextPosition{from.line + 1, 0};
        from.column += line.at(from.column).isHighSurrogate() && from.column + 1 < line.size() ? 2 : 1;
        return from;
    case Move::WordLeft:
        if (from.column == 0)
            return moved(from, Move::Left);
        while (from.column > 0 && line.at(from.column - 1).isSpace())
            --from.column;
        if (from.column > 0) {
            const bool word = isWordCharacter(line.at(from.column - 1));
            while (from.column > 0 && !line.at(from.column - 1).isSpace() &&
                   isWordCharacter(line.at(from.column - 1)) == word)
                --from.column;
        }
        return from;
    case Move::WordRight:
        if (from.column >= line.size())
            return moved(from, Move::Right);
        {
            const bool word = isWordCharacter(line.at(from.column));
            while (from.column < line.size() && !line.at(from.column).isSpace() &&
                   isWordCharacter(line.at(from.column)) == word)
                ++from.column;
        }
        while (from.column < line.size() && line.at(from.column).isSpace())
            ++from.column;
        return from;
    case Move::Up:
    case Move::Down:
    case Move::PageUp:
    case Move::PageDown: {
        const qsizetype page = visibleLines();
        const qsizetype step = move == Move::Up       ? -1
                               : move == Move::Down   ? 1
                               : move == Move::PageUp ? -page
                                                      : page;
        const qsizetype target = std::clamp<qsizetype>(from.line + step, 0, lastLine);
        const double x = m_goalX >= 0 ? m_goalX : xOf(line, from.column);
        return {target, columnAt(m_document.line(target), x)};
    }
    case Move::LineStart:
        return {from.line, 0};
    case Move::LineEnd:
        return {from.line, line.size()};
    case Move::TextStart:
        return {};
    case Move::TextEnd:
        return m_document.end();
    }
    return from;
}

void LargeTextEdit::moveCursor(Move move, bool select) {
    const bool vertical =
        move == Move::Up || move == Move::Down || move == Move::PageUp || move == Move::PageDown;
    if (vertical && m_goalX < 0)
        m_goalX = xOf(m_document.line(m_cursor.line), m_cursor.column);
    TextPosition target;
    if (!select && hasSelection() && (move == Move::Left || move == Move::Right))
        target = move == Move::Left ? std::min(m_anchor, m_cursor) : std::max(m_anchor, m_cursor);
    else
        target = moved(m_cursor, move);
    if (move == Move::PageUp || move == Move::PageDown) {
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() + static_cast<int>(target.line - m_cursor.line));
    }
    const double goal = m_goalX;
    setCursorPosition(target, select);
    m_goalX = vertical ? goal : -1;
}

// --- edits ---

LargeTextEdit::Edit LargeTextEdit::apply(const Edit& edit) {
    const TextPosition end = m_document.replace(edit.from, edit.end, edit.before);
    m_cursor = m_anchor = end;
    return Edit{edit.from, end, edit.before, edit.now};
}

void LargeTextEdit::afterEdit() {
    m_goalX = -1;
    updateScrollBars();
    ensureCursorVisible();
    restartCaret();
    viewport()->update();
    emit textChanged();
}

void LargeTextEdit::replaceRange(TextPosition from, TextPosition to, const QString& text) {
    from = m_document.clamped(from);
    to = m_document.clamped(to);
    if (to < from)
        std::swap(from, to);
    if (from == to && text.isEmpty())
        return;
    const QString before = m_document.text(from, to);
    const TextPosition end = m_document.replace(from, to, text);
    m_cursor = m_anchor = end;

    Edit* last = m_undo.empty() ? nullptr : &m_undo.back();
    const bool typing = before.isEmpty() && text.size() <= 2 && !holdsLineBreak(text);
    if (typing && last && last->before.isEmpty() && last->end == from && !holdsLineBreak(last->now)) {
        last->now += text;
        last->end = end;
    } else {
        m_undo.push_back(Edit{from, end, text, before});
        if (m_undo.size() > kUndoLimit)
            m_undo.erase(m_undo.begin());
    }
    m_redo.clear();
    afterEdit();
}

void LargeTextEdit::insertText(const QString& text) {
    replaceRange(m_anchor, m_cursor, text);
}

void LargeTextEdit::removeSelectionOr(Move move) {
    if (hasSelection())
        replaceRange(m_anchor, m_cursor, QString());
    else
        replaceRange(m_cursor, moved(m_cursor, move), QString());
}

void LargeTextEdit::undo() {
    if (m_undo.empty())
        return;
    m_redo.push_back(apply(m_undo.back()));
    m_undo.pop_back();
    afterEdit();
}

void LargeTextEdit::redo() {
    if (m_redo.empty())
        return;
    m_undo.push_back(apply(m_redo.back()));
    m_redo.pop_back();
    afterEdit();
}

void LargeTextEdit::copy() const {
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void LargeTextEdit::cut() {
    if (!hasSelection())
        return;
    copy();
    insertText(QString());
}

void LargeTextEdit::paste() {
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        insertText(text);
}

// --- keys ---

void LargeTextEdit::keyPressEvent(QKeyEvent* event) {
    static const struct {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    } kMoves[] = {
        {QKeySequence::MoveToPreviousChar, Move::Left, false},
        {QKeySequence::MoveToNextChar, Move::Right, false},
        {QKeySequence::MoveToPreviousWord, Move::WordLeft, false},
        {QKeySequence::MoveToNextWord, Move::WordRight, false},
        {QKeySequence::MoveToPreviousLine, Move::Up, false},
        {QKeySequence::MoveToNextLine, Move::Down, false},
        {QKeySequence::MoveToPreviousPage, Move::PageUp, false},
        {QKeySequence::MoveToNextPage, Move::PageDown, false},
        {QKeySequence::MoveToStartOfLine, Move::LineStart, false},
        {QKeySequence::MoveToEndOfLine, Move::LineEnd, false},
        {QKeySequence::MoveToStartOfDocument, Move::TextStart, false},
        {QKeySequence::MoveToEndOfDocument, Move::TextEnd, false},
        {QKeySequence::SelectPreviousChar, Move::Left, true},
        {QKeySequence::SelectNextChar, Move::Right, true},
        {QKeySequence::SelectPreviousWord, Move::WordLeft, true},
        {QKeySequence::SelectNextWord, Move::WordRight, true},
        {QKeySequence::SelectPreviousLine, Move::Up, true},
        {QKeySequence::SelectNextLine, Move::Down, true},
        {QKeySequence::SelectPreviousPage, Move::PageUp, true},
        {QKeySequence::SelectNextPage, Move::PageDown, true},
        {QKeySequence::SelectStartOfLine, Move::LineStart, true},
        {QKeySequence::SelectEndOfLine, Move::LineEnd, true},
        {QKeySequence::SelectStartOfDocument, Move::TextStart, true},
        {QKeySequence::SelectEndOfDocument, Move::TextEnd, true},
    };
    for (const auto& binding : kMoves) {
        if (event->matches(binding.key)) {
            moveCursor(binding.move, binding.select);
            return;
        }
    }
    if (event->matches(QKeySequence::SelectAll))
        selectAll();
    else if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Cut))
        cut();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else if (event->matches(QKeySequence::Undo))
        undo();
    else if (event->matches(QKeySequence::Redo))
        redo();
    else if (event->matches(QKeySequence::Delete))
        removeSelectionOr(Move::Right);
    else if (event->matches(QKeySequence::DeleteEndOfWord))
        removeSelectionOr(Move::WordRight);
    else if (event->matches(QKeySequence::DeleteStartOfWord))
        removeSelectionOr(Move::WordLeft);
    else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier))
        removeSelectionOr(Move::Left);
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        insertText(m_document.newLineEnding());
    else if (event->key() == Qt::Key_Tab && event->modifiers() == Qt::NoModifier)
        insertText(QStringLiteral("\t"));
    else if (const QString text = event->text();
             !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); }))
        insertText(text);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

// --- mouse ---

void LargeTextEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    m_goalX = -1;
    setCursorPosition(positionAt(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void LargeTextEdit::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        setCursorPosition(positionAt(event->position().toPoint()), true);
}

void LargeTextEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const TextPosition at = positionAt(event->position().toPoint());
    const QString line = m_document.line(at.line);
    TextPosition start = at;
    TextPosition end = at;
    while (start.column > 0 && isWordCharacter(line.at(start.column - 1)))
        --start.column;
    while (end.column < line.size() && isWordCharacter(line.at(end.column)))
        ++end.column;
    setCursorPosition(start);
    setCursorPosition(end, true);
}

void LargeTextEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(QStringLiteral("元に戻す(&U)"), this, &LargeTextEdit::undo)->setEnabled(canUndo());
    menu.addSeparator();
    menu.addAction(QStringLiteral("切り取り(&T)"), this, &LargeTextEdit::cut)->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("コピー(&C)"), this, &LargeTextEdit::copy)->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("貼り付け(&P)"), this, &LargeTextEdit::paste)
        ->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(QStringLiteral("削除(&D)"), this, [this] { insertText(QString()); })
        ->setEnabled(hasSelection());
    menu.addSeparator();
    menu.addAction(QStringLiteral("すべて選択(&A)"), this, &LargeTextEdit::selectAll);
    menu.exec(event->globalPos());
}

// --- input method ---

void LargeTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty())
        insertText(event->commitString());
    event->accept();
}

QVariant LargeTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return caretRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return static_cast<int>(m_cursor.column);
    case Qt::ImAnchorPosition:
        return static_cast<int>(m_anchor.line == m_cursor.line ? m_anchor.column : m_cursor.column);
    case Qt::ImSurroundingText:
        return m_document.line(m_cursor.line);
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}
