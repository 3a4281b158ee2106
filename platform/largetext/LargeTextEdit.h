#pragma once
// The preview's text box: an editable, unwrapped text view with both scroll
// bars, made for texts of any size. It keeps its text in a LargeTextDocument
// and draws only the lines in view, so loading and scrolling cost the same
// for a hundred lines as for millions.
//
// Keys follow the platform's standard bindings (moving, selecting, cut, copy,
// paste, undo, redo); Enter starts a new line with the text's own line ending.

#include "largetext/LargeTextDocument.h"

#include <QAbstractScrollArea>
#include <QFontMetricsF>
#include <QTimer>

#include <string>
#include <vector>

class LargeTextEdit : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LargeTextEdit(QWidget* parent = nullptr);

    // Replaces the whole text with valid UTF-8 and puts the cursor at its
    // start; the undo history is emptied. Emits textChanged.
    void setText(std::string utf8);
    // The whole text in UTF-8, every line with its own ending.
    std::string textUtf8() const { return m_document.toUtf8(); }
    // Text lines: nothing wraps, so an empty text counts 1.
    qsizetype lineCount() const { return m_document.lineCount(); }
    const LargeTextDocument& document() const { return m_document; }

    // Moves the cursor, extending the selection from its anchor when asked.
    void setCursorPosition(TextPosition position, bool keepAnchor = false);
    bool hasSelection() const { return m_cursor != m_anchor; }
    QString selectedText() const { return m_document.text(m_anchor, m_cursor); }
    void selectAll();

    // --- edits, as the keys and the context menu make them ---
    // Replaces the selection by `text` (CR LF, LF and CR start new lines).
    void insertText(const QString& text);
    void cut();
    void copy() const;
    void paste();
    void undo();
    void redo();
    bool canUndo() const { return !m_undo.empty(); }

signals:
    // After every change of the text, by the user or by setText.
    void textChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override; // Tab is a character here
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

private:
    // One undoable change: `now` spans [from, end) and replaced `before`.
    struct Edit {
        TextPosition from;
        TextPosition end;
        QString now;
        QString before;
    };
    enum class Move {
        Left,
        Right,
        WordLeft,
        WordRight,
        Up,
        Down,
        PageUp,
        PageDown,
        LineStart,
        LineEnd,
        TextStart,
        TextEnd
    };

    // --- geometry (LargeTextEdit.cpp) ---
    void updateMetrics();
    void updateScrollBars();
    int visibleLines() const;
    // x of `column` of `line` from the line's start, tabs expanded.
    double xOf(const QString& line, qsizetype column) const;
    // The column nearest to x from the line's start.
    qsizetype columnAt(const QString& line, double x) const;
    TextPosition positionAt(const QPoint& point) const;
    QRect caretRect() const;
    void ensureCursorVisible();
    void restartCaret();
    void paintLine(QPainter& painter, qsizetype index, int top, TextPosition selectionStart,
                   TextPosition selectionEnd);

    // --- input and edits (LargeTextEditInput.cpp) ---
    TextPosition moved(TextPosition from, Move move) const;
    void moveCursor(Move move, bool select);
    // Replaces [from, to) by `text` as one undoable edit and shows the result.
    void replaceRange(TextPosition from, TextPosition to, const QString& text);
    void removeSelectionOr(Move move);
    Edit apply(const Edit& edit);
    void afterEdit();

    LargeTextDocument m_document;
    TextPosition m_cursor;
    TextPosition m_anchor;
    double m_goalX = -1; // the x that Up and Down keep, -1 when not moving vertically
    std::vector<Edit> m_undo;
    std::vector<Edit> m_redo;

    QFontMetricsF m_metrics;
    int m_lineHeight = 1;
    double m_cellWidth = 1;
    QTimer m_caretTimer;
    bool m_caretShown = true;
};
