#include "io/LineScan.h"
#include "io/LineReader.h"
#include "support/HardLines.h"
#include "support/TempDir.h"
#include "text/LineEndSearch.h"
#include "text/NumberText.h"

#include <bit>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A line as the scan gives it: its text, and its plain field and value.
struct Scanned {
    std::string text;
    bool plain = false;
    std::string field;
    double value = 0;
};

std::vector<Scanned> scanAll(LineScan& scan, std::uint64_t& endOffset) {
    std::vector<Scanned> lines;
    while (const ScannedBlock* block = scan.next()) {
        const char* const base = block->bytes.data();
        std::size_t start = 0;
        for (const ScannedLine& line : block->lines) {
            const char* end = findLineEnd(base + start, base + line.next);
            Scanned scanned;
            scanned.text.assign(base + start, end);
            scanned.plain = line.fieldLength != ScannedLine::kNotPlain;
            if (scanned.plain) {
                scanned.field.assign(base + start + line.fieldOffset, line.fieldLength);
                scanned.value = line.value;
            }
            lines.push_back(std::move(scanned));
            start = line.next;
            endOffset = block->offset + line.next;
        }
    }
    EXPECT_FALSE(scan.failed()) << scan.error().message;
    return lines;
}

std::vector<std::string> readAll(const std::string& path) {
    LineReader reader;
    EXPECT_TRUE(reader.open(path));
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

// The scan's lines are the line reader's, in blocks of any size, read
// ahead on threads or on the caller's; a field it calls plain is the
// general reading's field, with the general reading's value to the bit.
TEST(LineScan, GivesTheLineReadersLinesAndTheGeneralReadingsValues) {
    TempDir dir;
    std::mt19937 random(22);
    const FieldRule rules[] = {{','}, {' ', true}, {'\t'}, {}};
    int plainLines = 0;
    for (int file = 0; file < 12; ++file) {
        const std::string path = dir.write("data.csv", hardLines(random, 400));
        const std::vector<std::string> expected = readAll(path);
        for (const std::size_t blockBytes : {1, 2, 3, 7, 64, 4096, 1 << 18}) {
            const FieldRule& rule = rules[random() % std::size(rules)];
            const int column = static_cast<int>(random() % 3) + 1;
            for (const bool stream : {false, true}) {
                SCOPED_TRACE("file " + std::to_string(file) + ", blocks of " + std::to_string(blockBytes) +
                             ", column " + std::to_string(column) + (stream ? ", a stream" : ""));
                LineScan scan(rule, column, blockBytes);
                ASSERT_TRUE(stream ? scan.openStream(UniqueFd(::open(path.c_str(), O_RDONLY)))
                                   : scan.open(path));
                std::uint64_t endOffset = 0;
                const std::vector<Scanned> lines = scanAll(scan, endOffset);
                ASSERT_EQ(lines.size(), expected.size());
                EXPECT_LE(endOffset, readFile(path).size());
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    ASSERT_EQ(lines[i].text, expected[i]) << "line " << i + 1;
                    if (!lines[i].plain)
                        continue;
                    ++plainLines;
                    const auto field = extractField(expected[i], column, rule);
                    ASSERT_TRUE(field) << expected[i];
                    EXPECT_EQ(lines[i].field, *field);
                    const auto value = numericValue(*field);
                    ASSERT_TRUE(value) << *field;
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(lines[i].value),
                              std::bit_cast<std::uint64_t>(*value))
                        << *field;
                }
            }
        }
    }
    EXPECT_GT(plainLines, 5000) << "the quick reading took part";
}

TEST(LineScan, PicksUpANewColumnForTheBlocksScannedAfterIt) {
    TempDir dir;
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += std::to_string(i) + "," + std::to_string(i * 2) + "\n";
    LineScan scan(FieldRule{','}, 1, 64);
    ASSERT_TRUE(scan.openStream(UniqueFd(::open(dir.write("data.csv", text).c_str(), O_RDONLY))));
    const ScannedBlock* first = scan.next();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->column, 1);
    scan.setColumn(2);
    const ScannedBlock* second = scan.next();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->column, 2);
    ASSERT_FALSE(second->lines.empty());
    EXPECT_EQ(second->lines[0].value,
              2 * std::stod(std::string(second->text().substr(0, second->text().find(',')))));
}

TEST(LineScan, RefusesWhatCannotBeRead) {
    TempDir dir;
    LineScan missing(FieldRule{','}, 1);
    EXPECT_EQ(missing.open(dir.file("missing")).error().code, ENOENT);
    LineScan utf16(FieldRule{','}, 1);
    ASSERT_TRUE(utf16.open(dir.write("utf16.csv", "\xFF\xFE"
                                                  "1\0\n\0")));
    EXPECT_EQ(utf16.next(), nullptr);
    EXPECT_TRUE(utf16.failed());
}

} // namespace
