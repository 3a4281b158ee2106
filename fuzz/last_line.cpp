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
#include "core/LastLineReader.h"

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

void checkRead(LastLineReader& reader, const fuzzing::DataFile& file, const std::string& history) {
    const auto read = reader.read(file.path());
    const std::string context = "after " + history + "the file holds " + fuzzing::shown(file.content());
    if (!file.exists()) {
        FUZZ_EXPECT(!read && read.error().number == kErrFileMissing, context + ", removed");
        return;
    }
    FUZZ_EXPECT(read, context + ": " + read.error().description);
    const fuzzing::LineSplit split = fuzzing::splitAtLineEnds(file.content());
    // The last terminated line; or the only line, unterminated; or none.
    std::string line;
    if (!split.lines.empty())
        line = file.content().substr(split.lines.back().start,
                                     split.lines.back().end - split.lines.back().start);
    else
        line = file.content();
    if (!file.content().empty())
        line += "\r\n";
    FUZZ_EXPECT(read->lngLineCount == static_cast<std::int64_t>(split.lines.size()) && read->strLine == line,
                context + ": read " + std::to_string(read->lngLineCount) + " line ends and " +
                    fuzzing::shown(read->strLine) + ", want " + std::to_string(split.lines.size()) + " and " +
                    fuzzing::shown(line));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Script script(data, size);
    fuzzing::DataFile file(folder.file("data.csv"));
    LastLineReader reader;
    std::string history; // the operations so far, for the report
    while (!script.done()) {
        switch (script.byte() % 8) {
        case 0: {
            const std::string_view text = script.text();
            file.writeAt(file.content().size(), repeated(text, script.byte() + 1u));
            history += "append " + fuzzing::shown(text) + ", ";
            break;
        }
        case 1: {
            const std::size_t length = script.number(static_cast<std::uint32_t>(file.content().size()) + 1);
            file.truncate(length);
            history += "truncate to " + std::to_string(length) + ", ";
            break;
        }
        case 2: {
            const std::string_view text = script.text();
            file.truncate(0);
            file.writeAt(0, repeated(text, script.byte() + 1u));
            history += "rewrite with " + fuzzing::shown(text) + ", ";
            break;
        }
        case 3: {
            const std::size_t offset = script.number(static_cast<std::uint32_t>(file.content().size()) + 1);
            const std::string_view text = script.text();
            file.writeAt(offset, text);
            history += "overwrite at " + std::to_string(offset) + " with " + fuzzing::shown(text) + ", ";
            break;
        }
        case 4: {
            const std::string_view text = script.text();
            file.replace(repeated(text, script.byte() + 1u));
            history += "replace with " + fuzzing::shown(text) + ", ";
            break;
        }
        case 5:
            checkRead(reader, file, history);
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
                history += "count, ";
            }
            break;
        case 7:
            file.remove();
            history += "remove, ";
            break;
        }
    }
    checkRead(reader, file, history);
    return 0;
}
