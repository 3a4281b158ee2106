// The text box's text, geometry, scrolling and painting.

#include "largetext/LargeTextEdit.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kMargin = 2;         // pixels between the frame and the text
constexpr qsizetype kTabCells = 8; // tab stops every 8 cells, as the width estimate counts them

int clampedInt(double value) {
    return static_cast<int>(std::clamp<double>(value, 0, INT_MAX));
}

// The length of the character at `index`: 2 for a surrogate pair.
qsizetype characterLength(const QString& line, qsizetype index) {
    return line.at(index).isHighSurrogate() && index + 1 < line.size() && line.at(index + 1).isLowSurrogate()
               ? 2
               : 1;
}

} // namespace

LargeTextEdit::LargeTextEdit(QWidget* parent) : QAbstractScrollArea(parent), m_metrics(font()) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    m_caretTimer.setInterval(flash > 0 ? flash / 2 : 500);
    connect(&m_caretTimer, &QTimer::timeout, this, [this] {
        m_caretShown = !m_caretShown;
        viewport()->update(caretRect());
    });
    updateMetrics();
}

void LargeTextEdit::setText(std::string utf8) {
    m_document.setText(std::move(utf8));
    m_cursor = m_anchor = TextPosition{};
    m_goalX = -1;
    m_undo.clear();
    m_redo.clear();
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
    emit textChanged();
}

void LargeTextEdit::setCursorPosition(TextPosition position, bool keepAnchor) {
    m_cursor = m_document.clamped(position);
    if (!keepAnchor)
        m_anchor = m_cursor;
    ensureCursorVisible();
    restartCaret();
    viewport()->update();
}

void LargeTextEdit::selectAll() {
    m_anchor = TextPosition{};
    m_cursor = m_document.end();
    ensureCursorVisible();
    viewport()->update();
}

// --- geometry ---

void LargeTextEdit::updateMetrics() {
    m_metrics = QFontMetricsF(font(), viewport());
    m_lineHeight = std::max(1, static_cast<int>(std::ceil(m_metrics.height())));
    m_cellWidth = std::max(1.0, m_metrics.horizontalAdvance(QLatin1Char('0')));
    updateScrollBars();
}

int LargeTextEdit::visibleLines() const {
    return std::max(1, viewport()->height() / m_lineHeight);
}

void LargeTextEdit::updateScrollBars() {
    const int lines = visibleLines();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, clampedInt(static_cast<double>(m_document.lineCount()) - lines));
    vertical->setPageStep(lines);
    vertical->setSingleStep(1);

    const double width =
        static_cast<double>(m_document.widestLine()) * m_cellWidth + 2 * kMargin + m_cellWidth;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, clampedInt(width - viewport()->width()));
    horizontal->setPageStep(std::max(1, viewport()->width()));
    horizontal->setSingleStep(clampedInt(m_cellWidth * 2));
}

double LargeTextEdit::xOf(const QString& line, qsizetype column) const {
    column = std::clamp<qsizetype>(column, 0, line.size());
    const double tabWidth = kTabCells * m_cellWidth;
    double x = 0;
    qsizetype runStart = 0;
    for (qsizetype i = line.indexOf(u'\t'); i >= 0 && i < column; i = line.indexOf(u'\t', i + 1)) {
        x += m_metrics.horizontalAdvance(line.mid(runStart, i - runStart));
        x = (std::floor(x / tabWidth + 1e-9) + 1) * tabWidth;
        runStart = i + 1;
    }
    return x + m_metrics.horizontalAdvance(line.mid(runStart, column - runStart));
}

qsizetype LargeTextEdit::columnAt(const QString& line, double x) const {
    const double tabWidth = kTabCells * m_cellWidth;
    double left = 0;
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype length = characterLength(line, i);
        const double right = line.at(i) == u'\t' ? (std::floor(left / tabWidth + 1e-9) + 1) * tabWidth
                                                 : left + m_metrics.horizontalAdvance(line.mid(i, length));
        if (x < (left + right) / 2)
            return i;
        left = right;
        i += length;
    }
    return line.size();
}

TextPosition LargeTextEdit::positionAt(const QPoint& point) const {
    const qsizetype line = std::clamp<qsizetype>(
        verticalScrollBar()->value() +
            static_cast<qsizetype>(std::floor(double(point.y() - kMargin) / m_lineHeight)),
        0, m_document.lineCount() - 1);
    const double x = point.x() - kMargin + horizontalScrollBar()->value();
    return {line, columnAt(m_document.line(line), x)};
}

QRect LargeTextEdit::caretRect() const {
    const qsizetype row = m_cursor.line - verticalScrollBar()->value();
    const double x =
        kMargin - horizontalScrollBar()->value() + xOf(m_document.line(m_cursor.line), m_cursor.column);
    return QRect(static_cast<int>(std::floor(x)) - 1, kMargin + static_cast<int>(row) * m_lineHeight, 3,
                 m_lineHeight);
}

void LargeTextEdit::ensureCursorVisible() {
    QScrollBar* vertical = verticalScrollBar();
    const int lines = visibleLines();
    if (m_cursor.line < vertical->value())
        vertical->setValue(clampedInt(static_cast<double>(m_cursor.line)));
    else if (m_cursor.line >= vertical->value() + lines)
        vertical->setValue(clampedInt(static_cast<double>(m_cursor.line - lines + 1)));

    QScrollBar* horizontal = horizontalScrollBar();
    const double x = xOf(m_document.line(m_cursor.line), m_cursor.column);
    const int width = viewport()->width() - 2 * kMargin;
    if (x < horizontal->value()) {
        horizontal->setValue(clampedInt(x - width / 4.0));
    } else if (x + m_cellWidth > horizontal->value() + width) {
        const int wanted = clampedInt(x + m_cellWidth - width + width / 4.0);
        // The width estimate can fall short of a line's real width.
        if (wanted > horizontal->maximum())
            horizontal->setMaximum(wanted);
        horizontal->setValue(wanted);
    }
}

void LargeTextEdit::restartCaret() {
    m_caretShown = true;
    if (hasFocus())
        m_caretTimer.start();
}

// --- events ---

void LargeTextEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LargeTextEdit::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateMetrics();
        viewport()->update();
    }
}

void LargeTextEdit::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartCaret();
    viewport()->update();
}

void LargeTextEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    m_caretTimer.stop();
    viewport()->update();
}

bool LargeTextEdit::focusNextPrevChild(bool) {
    return false;
}

// --- painting ---

void LargeTextEdit::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setFont(font());
    const TextPosition selectionStart = std::min(m_anchor, m_cursor);
    const TextPosition selectionEnd = std::max(m_anchor, m_cursor);
    const qsizetype first = verticalScrollBar()->value();
    const qsizetype last = std::min(m_document.lineCount() - 1, first + visibleLines());
    for (qsizetype index = first; index <= last; ++index) {
        const int top = kMargin + static_cast<int>(index - first) * m_lineHeight;
        if (top < event->rect().bottom() + 1 && top + m_lineHeight > event->rect().top())
            paintLine(painter, index, top, selectionStart, selectionEnd);
    }
    if (hasFocus() && m_caretShown && m_cursor.line >= first && m_cursor.line <= last) {
        const QRect caret = caretRect();
        painter.fillRect(caret.x() + 1, caret.y(), 1, caret.height(), palette().color(QPalette::Text));
    }
}

void LargeTextEdit::paintLine(QPainter& painter, qsizetype index, int top, TextPosition selectionStart,
                              TextPosition selectionEnd) {
    const QString line = m_document.line(index);
    const double origin = kMargin - horizontalScrollBar()->value();
    // Only the characters in view are drawn, however long the line.
    const qsizetype from = std::max<qsizetype>(0, columnAt(line, -origin) - 1);
    const qsizetype to = std::min(line.size(), columnAt(line, viewport()->width() - origin) + 1);
    const double baseline = top + m_metrics.ascent();

    const auto drawRuns = [&] {
        qsizetype runStart = from;
        for (qsizetype i = from; i <= to; ++i) {
            if (i < to && line.at(i) != u'\t')
                continue;
            if (i > runStart)
                painter.drawText(QPointF(origin + xOf(line, runStart), baseline),
                                 line.mid(runStart, i - runStart));
            runStart = i + 1;
        }
    };
    painter.setPen(palette().color(QPalette::Text));
    drawRuns();

    if (selectionStart == selectionEnd || index < selectionStart.line || index > selectionEnd.line)
        return;
    const qsizetype start = index == selectionStart.line ? selectionStart.column : 0;
    const qsizetype end = index == selectionEnd.line ? selectionEnd.column : line.size();
    // A selected line ending shows as a little more of the line.
    const double ending = index < selectionEnd.line ? m_cellWidth / 2 : 0;
    const QRectF selected(origin + xOf(line, start), top, xOf(line, end) - xOf(line, start) + ending,
                          m_lineHeight);
    painter.save();
    painter.fillRect(selected, palette().color(QPalette::Highlight));
    painter.setClipRect(selected);
    painter.setPen(palette().color(QPalette::HighlightedText));
    drawRuns();
    painter.restore();
}
