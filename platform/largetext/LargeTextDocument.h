#pragma once
// The text of the preview's text box. A loaded text stays one block of UTF-8
// with an index of its lines, so that a text of a hundred megabytes loads in
// a moment and costs little more than its bytes; a line the user edits is
// kept apart as a string of its own.

#include <QString>

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

// A place in the text: a line and a column, counted in UTF-16 code units of
// that line.
struct TextPosition {
    qsizetype line = 0;
    qsizetype column = 0;
    auto operator<=>(const TextPosition&) const = default;
};

class LargeTextDocument {
public:
    LargeTextDocument(); // one empty line

    // Replaces the whole text by `utf8`, which must be valid UTF-8. Lines end
    // at CR LF, LF or a lone CR; each line keeps its own ending, so toUtf8()
    // gives the same bytes back.
    void setText(std::string utf8);

    // At least 1: an empty text is one empty line, and a text ending with a
    // line ending has an empty last line.
    qsizetype lineCount() const { return static_cast<qsizetype>(m_lines.size()); }
    // Line `index` without its ending; empty for an index out of range.
    QString line(qsizetype index) const;
    // The widest line in character cells: a tab reaches the next multiple of
    // 8, an ASCII character takes one cell and any other character two. Never
    // less than any line's width; after edits it may be more.
    qsizetype widestLine() const { return m_widest; }

    TextPosition end() const;
    // The nearest position inside the text.
    TextPosition clamped(TextPosition position) const;
    // The text between two positions in either order, with the line endings
    // between them as they are.
    QString text(TextPosition from, TextPosition to) const;
    // Replaces the text between two positions (in either order) by `text`,
    // where CR LF, LF and a lone CR start new lines, and returns where the
    // inserted text ends.
    TextPosition replace(TextPosition from, TextPosition to, QStringView text);

    // The whole text in UTF-8, every line followed by its own ending.
    std::string toUtf8() const;
    // What a new line ending is: the text's first ending, LF when it has none.
    QString newLineEnding() const;

private:
    enum Ending : std::uint8_t { None, CrLf, Lf, Cr };
    struct Line {
        std::int64_t start = 0;        // bytes into m_base, or -1 - slot of m_edited
        std::uint64_t length : 62 = 0; // bytes in m_base
        std::uint64_t ending : 2 = None;
    };
    static QStringView endingText(std::uint64_t ending);
    static qsizetype cellsOf(const QString& line);
    Line editedLine(QString text, std::uint64_t ending, const Line* reuse);
    void release(const Line& line);
    // Joins the CR and LF an edit left as two line endings, from line
    // `first` to the end of the inserted text; returns that end.
    TextPosition joinSplitCrLf(qsizetype first, TextPosition insertedEnd);

    std::string m_base;
    std::vector<QString> m_edited;
    std::vector<qsizetype> m_freeSlots; // slots of m_edited no line uses
    std::vector<Line> m_lines;
    qsizetype m_widest = 0;
    Ending m_newEnding = Lf;
};
