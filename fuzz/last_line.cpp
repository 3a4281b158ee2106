// The last-line reader on a real file that a script appends to, truncates,
// rewrites and replaces between reads, against reading the whole file and
// taking its last terminated line.
//
// Input: a script of operations, each a byte (its value modulo 8) and its
// arguments:
//   0 append: a text, then a byte r; the text is appended r + 1 times
//   1 truncate: a two-byte length, modulo the size + 1
//   2 rewrite in place (truncate to 0, then write): as append
//   3 overwrite in place: a two-byte offset, modulo the size + 1, then a text
//   4 replace by another file renamed over it: as append
//   5 read and compare
//   6 hand the reader a full count, as applying the settings does
//   7 remove the file
// The file is read and compared once more at the end.

#include "FuzzSupport.h"
#include "io/LastLineReader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

const fuzzing::TempFolder folder;

std::string repeated(std::string_view text, unsigned times) {
    std::string result;
    for (unsigned i = 0; i < times; ++i)
        result += text;
    return result;
}

// What the reader promises, with the one thing it cannot see: a rewrite in
// place of the counted part that also grows the file between two reads and
// keeps the first and last bytes counted cannot be told from an append
// without reading everything again. After such a change the count is not
// checked until the file is replaced, removed or counted afresh.
class Checker {
public:
    explicit Checker(const fuzzing::DataFile& file) : m_file(file) {}

    // Before each change: where it begins (the new size for a truncation).
    void changing(std::size_t from) {
        if (from < m_counted)
            m_rewritten = true;
    }
    void recounted() {
        m_counted = m_file.content().size();
        m_rewritten = m_unverifiable = false;
    }
    void read(LastLineReader& reader, const std::string& history);

private:
    const fuzzing::DataFile& m_file;
    std::size_t m_counted = 0; // the size at the last read: all of it was counted
    bool m_rewritten = false;  // the counted part changed in place since
    bool m_unverifiable = false;
};

void Checker::read(LastLineReader& reader, const std::string& history) {
    const auto read = reader.read(m_file.path());
    const auto context = [&] {
        return "after " + history + "the file holds " + fuzzing::shown(m_file.content());
    };
    if (m_rewritten && m_file.content().size() > m_counted)
        m_unverifiable = true;
    m_rewritten = false;
    m_counted = m_file.content().size();
    if (!m_file.exists()) {
        FUZZ_EXPECT(!read && read.error().code == kErrFileMissing, context() + ", removed");
        return;
    }
    // A file that starts with a UTF-16 or UTF-32 byte-order mark is refused.
    const std::string& content = m_file.content();
    const bool wide = content.starts_with(std::string_view("\xFF\xFE", 2)) ||
                      content.starts_with(std::string_view("\xFE\xFF", 2)) ||
                      content.starts_with(std::string_view("\0\0\xFE\xFF", 4));
    if (wide) {
        FUZZ_EXPECT(!read && read.error().code == kErrUnreadableEncoding,
                    context() + ", a wide encoding's mark");
        return;
    }
    FUZZ_EXPECT(read, context() + ": " + read.error().message);
    if (m_unverifiable)
        return;
    const fuzzing::LineSplit split = fuzzing::splitAtLineEnds(content);
    // The last terminated line; or the only line, unterminated; or none. A
    // line longer than any record is read only as far as one can reach, and
    // a UTF-8 byte-order mark at the start of the file is no part of a line.
    const std::size_t start = split.lines.empty() ? 0 : split.lines.back().start;
    std::string line = content;
    if (!split.lines.empty())
        line = line.substr(start, split.lines.back().end - start);
    const bool cut = line.size() > kMaxLastLineBytes;
    if (cut)
        line.resize(kMaxLastLineBytes);
    if (start == 0 && line.starts_with("\xEF\xBB\xBF"))
        line.erase(0, 3);
    if (!cut && !content.empty())
        line += "\r\n";
    FUZZ_EXPECT(read->lineCount == static_cast<std::int64_t>(split.lines.size()) && read->line == line &&
                    read->cut == cut,
                context() + ": read " + std::to_string(read->lineCount) + " line ends and " +
                    fuzzing::shown(read->line) + ", want " + std::to_string(split.lines.size()) + " and " +
                    fuzzing::shown(line));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Script script(data, size);
    fuzzing::DataFile file(folder.file("data.csv"));
    LastLineReader reader;
    Checker checker(file);
    std::string history; // the operations so far, for the report
    while (!script.done()) {
        switch (script.byte() % 8) {
        case 0: {
            const std::string_view text = script.text();
            checker.changing(file.content().size());
            file.writeAt(file.content().size(), repeated(text, script.byte() + 1u));
            history += "append " + fuzzing::shown(text) + ", ";
            break;
        }
        case 1: {
            const std::size_t length = script.number(static_cast<std::uint32_t>(file.content().size()) + 1);
            checker.changing(length);
            file.truncate(length);
            history += "truncate to " + std::to_string(length) + ", ";
            break;
        }
        case 2: {
            const std::string_view text = script.text();
            checker.changing(0);
            file.truncate(0);
            file.writeAt(0, repeated(text, script.byte() + 1u));
            history += "rewrite with " + fuzzing::shown(text) + ", ";
            break;
        }
        case 3: {
            const std::size_t offset = script.number(static_cast<std::uint32_t>(file.content().size()) + 1);
            const std::string_view text = script.text();
            checker.changing(offset);
            file.writeAt(offset, text);
            history += "overwrite at " + std::to_string(offset) + " with " + fuzzing::shown(text) + ", ";
            break;
        }
        case 4: {
            const std::string_view text = script.text();
            checker.changing(0); // the new file may get the number of one the reader knew
            file.replace(repeated(text, script.byte() + 1u));
            history += "replace with " + fuzzing::shown(text) + ", ";
            break;
        }
        case 5:
            checker.read(reader, history);
            history += "read, ";
            break;
        case 6:
            if (file.exists()) {
                FileScan scan;
                auto fd = openReadOnly(file.path());
                FUZZ_EXPECT(fd && continueScan(fd->get(), scan),
                            "a full count of " + fuzzing::shown(file.content()));
                FUZZ_EXPECT(scan.tally.lineEnds == static_cast<std::int64_t>(
                                                       fuzzing::splitAtLineEnds(file.content()).lines.size()),
                            "a full count of " + fuzzing::shown(file.content()));
                reader.continueFrom(file.path(), scan);
                checker.recounted();
                history += "count, ";
            }
            break;
        case 7:
            checker.changing(0);
            file.remove();
            history += "remove, ";
            break;
        }
    }
    checker.read(reader, history);
    return 0;
}
