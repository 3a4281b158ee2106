// extractField against a plain split of the line at every delimiter.
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

// The fields as the rule lists them: without run skipping every delimiter
// ends a field, but a delimiter at the end of the line opens none (nor does
// an empty line have one); with it the fields are the non-empty pieces.
std::vector<std::string_view> plainFields(std::string_view line, std::optional<char> delimiter,
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
    const bool found = field.has_value();

    const auto fields = plainFields(line, delimiter, skipRuns);
    const bool expected =
        fieldNumber >= 1 && fieldNumber <= 256 && static_cast<std::size_t>(fieldNumber) <= fields.size();
    const auto context = [&] {
        return "line " + fuzzing::shown(line) + ", field " + std::to_string(fieldNumber) + ", skipRuns " +
               std::to_string(skipRuns);
    };
    FUZZ_EXPECT(found == expected, context() + ": found " + std::to_string(found));
    if (!found)
        return 0;
    const std::string_view want = fields[static_cast<std::size_t>(fieldNumber) - 1];
    // The same bytes at the same place: the field is a view into the line.
    FUZZ_EXPECT(field->data() == want.data() && field->size() == want.size(),
                context() + ": got " + fuzzing::shown(*field) + ", want " + fuzzing::shown(want));
    return 0;
}
