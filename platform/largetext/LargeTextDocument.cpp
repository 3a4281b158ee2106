#include "largetext/LargeTextDocument.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr qsizetype kTabCells = 8;
constexpr std::string_view kEndingBytes[] = {"", "\r\n", "\n", "\r"};

qsizetype nextTabStop(qsizetype cells) {
    return (cells / kTabCells + 1) * kTabCells;
}

} // namespace

LargeTextDocument::LargeTextDocument() : m_lines(1) {}

QStringView LargeTextDocument::endingText(std::uint64_t ending) {
    switch (ending) {
    case CrLf:
        return u"\r\n";
    case Lf:
        return u"\n";
    case Cr:
        return u"\r";
    default:
        return {};
    }
}

void LargeTextDocument::setText(std::string utf8) {
    m_base = std::move(utf8);
    m_edited.clear();
    m_freeSlots.clear();
    m_lines.clear();
    m_widest = 0;
    m_newEnding = Lf;
    m_lines.reserve(static_cast<std::size_t>(std::count(m_base.begin(), m_base.end(), '\n')) + 1);

    // One pass finds the lines and measures them.
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_base.data());
    const std::size_t size = m_base.size();
    std::size_t start = 0;
    qsizetype cells = 0;
    bool endingSeen = false;
    const auto endLine = [&](std::size_t end, Ending ending) {
        Line line;
        line.start = static_cast<std::int64_t>(start);
        line.length = end - start;
        line.ending = ending;
        m_lines.push_back(line);
        m_widest = std::max(m_widest, cells);
        cells = 0;
        if (!endingSeen && ending != None) {
            m_newEnding = ending;
            endingSeen = true;
        }
    };
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = bytes[i];
        if (c >= 0x20 && c < 0x80) {
            ++cells;
        } else if (c == '\n') {
            endLine(i, Lf);
            start = i + 1;
        } else if (c == '\r') {
            const bool pair = i + 1 < size && bytes[i + 1] == '\n';
            endLine(i, pair ? CrLf : Cr);
            i += pair ? 1 : 0;
            start = i + 1;
        } else if (c == '\t') {
            cells = nextTabStop(cells);
        } else if (c < 0x80 || c >= 0xC0) {
            cells += c < 0x80 ? 1 : 2; // a control character, or the lead byte of a character
        }
    }
    endLine(size, None);
}

QString LargeTextDocument::line(qsizetype index) const {
    if (index < 0 || index >= lineCount())
        return {};
    const Line& line = m_lines[static_cast<std::size_t>(index)];
    if (line.start < 0)
        return m_edited[static_cast<std::size_t>(-1 - line.start)];
    return QString::fromUtf8(m_base.data() + line.start, static_cast<qsizetype>(line.length));
}

TextPosition LargeTextDocument::end() const {
    return {lineCount() - 1, line(lineCount() - 1).size()};
}

TextPosition LargeTextDocument::clamped(TextPosition position) const {
    if (position.line < 0)
        return {};
    if (position.line >= lineCount())
        return end();
    position.column = std::clamp<qsizetype>(position.column, 0, line(position.line).size());
    return position;
}

QString LargeTextDocument::text(TextPosition from, TextPosition to) const {
    from = clamped(from);
    to = clamped(to);
    if (to < from)
        std::swap(from, to);
    if (from.line == to.line)
        return line(from.line).mid(from.column, to.column - from.column);
    QString text = line(from.line).mid(from.column);
    for (qsizetype index = from.line; index < to.line; ++index) {
        if (index > from.line)
            text += line(index);
        text += endingText(m_lines[static_cast<std::size_t>(index)].ending);
    }
    text += line(to.line).left(to.column);
    return text;
}

qsizetype LargeTextDocument::cellsOf(const QString& line) {
    qsizetype cells = 0;
    for (const QChar c : line) {
        if (c == u'\t')
            cells = nextTabStop(cells);
        else if (!c.isLowSurrogate())
            cells += c.unicode() < 0x80 ? 1 : 2;
    }
    return cells;
}

void LargeTextDocument::release(const Line& line) {
    if (line.start >= 0)
        return;
    const auto slot = static_cast<qsizetype>(-1 - line.start);
    m_edited[static_cast<std::size_t>(slot)] = QString();
    m_freeSlots.push_back(slot);
}

LargeTextDocument::Line LargeTextDocument::editedLine(QString text, std::uint64_t ending, const Line* reuse) {
    m_widest = std::max(m_widest, cellsOf(text));
    qsizetype slot;
    if (reuse && reuse->start < 0) {
        slot = -1 - reuse->start;
    } else if (!m_freeSlots.empty()) {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        slot = static_cast<qsizetype>(m_edited.size());
        m_edited.emplace_back();
    }
    m_edited[static_cast<std::size_t>(slot)] = std::move(text);
    Line line;
    line.start = -1 - static_cast<std::int64_t>(slot);
    line.ending = ending;
    return line;
}

TextPosition LargeTextDocument::replace(TextPosition from, TextPosition to, QStringView text) {
    from = clamped(from);
    to = clamped(to);
    if (to < from)
        std::swap(from, to);
    const QString first = line(from.line);
    const QString suffix = line(to.line).mid(to.column);
    const auto firstIndex = static_cast<std::size_t>(from.line);
    const auto lastIndex = static_cast<std::size_t>(to.line);
    const std::uint64_t lastEnding = m_lines[lastIndex].ending;

    // The inserted text in lines, each with the ending that followed it.
    std::vector<std::pair<QString, std::uint64_t>> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        const bool pair = text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n';
        parts.emplace_back(text.mid(start, i - start).toString(), pair ? CrLf : text[i] == u'\r' ? Cr : Lf);
        i += pair ? 1 : 0;
        start = i + 1;
    }
    parts.emplace_back(text.mid(start).toString(), lastEnding);
    parts.front().first.prepend(first.left(from.column));
    const TextPosition insertedEnd{from.line + static_cast<qsizetype>(parts.size()) - 1,
                                   parts.back().first.size()};
    parts.back().first += suffix;

    // The first line keeps its slot; the lines replaced after it give theirs up.
    const Line reused = m_lines[firstIndex];
    for (std::size_t index = firstIndex + 1; index <= lastIndex; ++index)
        release(m_lines[index]);
    std::vector<Line> lines;
    lines.reserve(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i)
        lines.push_back(editedLine(std::move(parts[i].first), parts[i].second, i == 0 ? &reused : nullptr));

    const std::size_t replaced = lastIndex - firstIndex + 1;
    const auto at = m_lines.begin() + static_cast<std::ptrdiff_t>(firstIndex);
    if (lines.size() == replaced) {
        std::copy(lines.begin(), lines.end(), at);
    } else if (lines.size() < replaced) {
        std::copy(lines.begin(), lines.end(), at);
        m_lines.erase(at + static_cast<std::ptrdiff_t>(lines.size()),
                      at + static_cast<std::ptrdiff_t>(replaced));
    } else {
        std::copy(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(replaced), at);
        m_lines.insert(at + static_cast<std::ptrdiff_t>(replaced),
                       lines.begin() + static_cast<std::ptrdiff_t>(replaced), lines.end());
    }
    return joinSplitCrLf(from.line - 1, insertedEnd);
}

TextPosition LargeTextDocument::joinSplitCrLf(qsizetype first, TextPosition insertedEnd) {
    // A CR ending followed by an empty line ending in LF is one CR LF, as the
    // text would read when loaded again. Only lines the edit touched can
    // have formed such a pair.
    for (qsizetype i = std::max<qsizetype>(first, 0); i < insertedEnd.line && i + 1 < lineCount(); ++i) {
        Line& line = m_lines[static_cast<std::size_t>(i)];
        const Line next = m_lines[static_cast<std::size_t>(i + 1)];
        if (line.ending != Cr || next.ending != Lf || !this->line(i + 1).isEmpty())
            continue;
        line.ending = CrLf;
        release(next);
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i + 1));
        insertedEnd = insertedEnd.line == i + 1 ? TextPosition{i, this->line(i).size()}
                                                : TextPosition{insertedEnd.line - 1, insertedEnd.column};
    }
    return insertedEnd;
}

std::string LargeTextDocument::toUtf8() const {
    std::string utf8;
    utf8.reserve(m_base.size());
    for (const Line& line : m_lines) {
        if (line.start < 0)
            utf8 += m_edited[static_cast<std::size_t>(-1 - line.start)].toStdString();
        else
            utf8.append(m_base, static_cast<std::size_t>(line.start), line.length);
        utf8 += kEndingBytes[line.ending];
    }
    return utf8;
}

QString LargeTextDocument::newLineEnding() const {
    return endingText(m_newEnding).toString();
}
