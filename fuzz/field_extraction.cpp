// extractField against a plain reading of its rule, byte by byte, and
// against a plain split of the line at every delimiter where the line holds
// no quote; extractFieldOfCutLine against extractField of the whole line.
//
// Input: one byte of rule (delimiter name in the low three bits, 5..7 for a
// name that is none of the five; bit 3 skips runs; bit 4 adds 100 to the
// field number), one byte of field number (minus 2, so 0 and negatives come
// up), then the line.

#include "FuzzSupport.h"
#include "text/FieldExtraction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The fields as the rule lists them without quotes: without run skipping
// every delimiter ends a field, but a delimiter at the end of the line opens
// none (nor does an empty line have one); with it the fields are the
// non-empty pieces.
FUZZ_MODEL std::vector<std::string_view> plainFields(std::string_view line, std::optional<char> delimiter,
                                                     bool skipRuns) {
    std::vector<std::string_view> pieces;
    if (!delimiter) {
        pieces.push_back(line);
    } else {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size() || line[i] == *delimiter) {
                pieces.push_back(line.substr(start, i - start));
                start = i + 1;
            }
        }
    }
    std::vector<std::string_view> fields;
    for (const std::string_view piece : pieces)
        if (!skipRuns || !piece.empty())
            fields.push_back(piece);
    if (!skipRuns && !fields.empty() && fields.back().empty())
        fields.pop_back();
    return fields;
}

// The fields as the rule reads them, one byte at a time: where a field
// starts (past any run of delimiters when runs are skipped), a quote opens
// a quoted field, inside which two quotes in a row are one; the first
// other quote closes it. It is well-formed when the delimiter or nothing but
// CR and LF follows its closing quote, and then holds what lies between its
// quotes; any other field ends at the next delimiter.
FUZZ_MODEL std::vector<std::string_view> ruleFields(std::string_view line, std::optional<char> delimiter,
                                                    bool skipRuns) {
    const auto isDelimiter = [&](std::size_t i) { return delimiter && line[i] == *delimiter; };
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    for (;;) {
        while (skipRuns && i < line.size() && isDelimiter(i))
            ++i;
        if (i == line.size())
            return fields;
        if (line[i] == '"') {
            std::size_t j = i + 1;
            bool closed = false;
            while (j < line.size() && !closed) {
                if (line[j] != '"')
                    ++j;
                else if (j + 1 < line.size() && line[j + 1] == '"')
                    j += 2;
                else
                    closed = true;
            }
            if (closed) {
                bool lineEndOnly = true;
                for (std::size_t k = j + 1; k < line.size() && lineEndOnly; ++k)
                    lineEndOnly = line[k] == '\r' || line[k] == '\n';
                const bool delimited = j + 1 < line.size() && isDelimiter(j + 1);
                if (delimited || lineEndOnly) {
                    fields.push_back(line.substr(i + 1, j - i - 1));
                    if (!delimited)
                        return fields;
                    i = j + 2;
                    continue;
                }
            }
        }
        std::size_t end = i;
        while (end < line.size() && !isDelimiter(end))
            ++end;
        fields.push_back(line.substr(i, end - i));
        if (end == line.size())
            return fields;
        i = end + 1;
    }
}

bool sameView(std::optional<std::string_view> a, std::optional<std::string_view> b) {
    return a.has_value() == b.has_value() && (!a || (a->data() == b->data() && a->size() == b->size()));
}

std::string shownField(std::optional<std::string_view> field) {
    return field ? fuzzing::shown(*field) : "nothing";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    static constexpr char kDelimiters[] = {',', ' ', '\t', ':', ';'};
    const unsigned ruleByte = data[0];
    const unsigned which = ruleByte & 7u;
    const bool skipRuns = (ruleByte & 8u) != 0;
    const int fieldNumber = static_cast<int>(data[1]) - 2 + ((ruleByte & 16u) != 0 ? 100 : 0);
    const std::string_view line(reinterpret_cast<const char*>(data + 2), size - 2);

    // A name that is none of the five, by one blank.
    const std::string name =
        which < 5 ? std::string(kDelimiterNames[which]) : std::string(kDelimiterNames[0]) + " ";
    const FieldRule rule = fieldRuleFor(name, skipRuns);
    const std::optional<char> delimiter = which < 5 ? std::optional<char>(kDelimiters[which]) : std::nullopt;
    FUZZ_EXPECT(rule.delimiter == delimiter, "delimiter for name " + fuzzing::shown(name));

    const std::optional<std::string_view> field = extractField(line, fieldNumber, rule);
    const auto context = [&] {
        return "line " + fuzzing::shown(line) + ", field " + std::to_string(fieldNumber) + ", skipRuns " +
               std::to_string(skipRuns);
    };
    const auto wanted = [&](const std::vector<std::string_view>& fields) -> std::optional<std::string_view> {
        if (fieldNumber < 1 || fieldNumber > 256 || static_cast<std::size_t>(fieldNumber) > fields.size())
            return std::nullopt;
        return fields[static_cast<std::size_t>(fieldNumber) - 1];
    };
    // The same bytes at the same place: the field is a view into the line.
    const auto want = wanted(ruleFields(line, delimiter, skipRuns));
    FUZZ_EXPECT(sameView(field, want),
                context() + ": got " + shownField(field) + ", want " + shownField(want));
    // A line without quotes splits as it always has.
    if (line.find('"') == std::string_view::npos) {
        const auto plain = wanted(plainFields(line, delimiter, skipRuns));
        FUZZ_EXPECT(sameView(field, plain),
                    context() + ": got " + shownField(field) + ", split without quotes " + shownField(plain));
    }

    // Cut after a quote, before the last byte and halfway: a field of the
    // start is one the whole line has, where it has it.
    std::vector<std::size_t> cuts = {line.size() / 2, line.size() - (line.empty() ? 0 : 1), line.size()};
    for (std::size_t i = 0; i < line.size() && cuts.size() < 40; ++i)
        if (line[i] == '"')
            cuts.push_back(i + 1);
    for (const std::size_t length : cuts) {
        const std::string_view start = line.substr(0, length);
        const auto part = extractFieldOfCutLine(start, fieldNumber, rule);
        FUZZ_EXPECT(!part || sameView(part, field), context() + ", cut at " + std::to_string(length) +
                                                        ": got " + shownField(part) + ", the whole line " +
                                                        shownField(field));
        // Without quotes, only a field running to the cut is held back.
        const auto whole = extractField(start, fieldNumber, rule);
        if (start.find('"') == std::string_view::npos && whole && whole->end() != start.end())
            FUZZ_EXPECT(part, context() + ", cut at " + std::to_string(length) + ": held back " +
                                  fuzzing::shown(*whole));
    }
    return 0;
}
