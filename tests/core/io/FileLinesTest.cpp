#include "io/FileLines.h"
#include "support/TempDir.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace {

TEST(CountFileLines, GivesTheLineNumberAtTheEndOfTheFile) {
    TempDir dir;
    const std::pair<std::string, std::int64_t> cases[] = {
        {"", 1},          {"1\r\n2\r\n3\r\n", 4}, {"1\r\n2\r\n3", 3},
        {"1\n2\n3\n", 4}, {"1\r2\r", 3},          {std::string("\0\0\n", 3), 2}};
    for (const auto& [bytes, lines] : cases) {
        const auto counted = countFileLines(dir.write("f", bytes));
        ASSERT_TRUE(counted) << counted.error().message;
        EXPECT_EQ(*counted, lines) << testing::PrintToString(bytes);
    }
    for (const std::string& path : {std::string(), dir.file("missing"), dir.path(), dir.path() + "/*"}) {
        const auto counted = countFileLines(path);
        ASSERT_FALSE(counted) << "not a data file: " << path;
        EXPECT_EQ(counted.error().code, checkDataFile(path).error().code) << path;
    }

    const std::string readOnly = dir.write("ro", "1\n2\n");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    EXPECT_EQ(countFileLines(readOnly).value_or(0), 3) << "no write access needed";
}

// Whether a path is a data file, and if not, the reason the user is told.
TEST(DataFileExists, NeedsAReadableRegularFile) {
    TempDir dir;
    const std::string file = dir.write("data.csv", "1\n");
    EXPECT_TRUE(dataFileExists(file));
    EXPECT_TRUE(checkDataFile(file));
    std::vector<std::pair<std::string, int>> refused = {{std::string(), ENOENT},
                                                        {dir.file("missing"), ENOENT},
                                                        {dir.path(), EISDIR},
                                                        {dir.path() + "/*.csv", ENOENT}};
    if (::geteuid() != 0) { // root reads anything
        std::filesystem::permissions(file, std::filesystem::perms::none);
        refused.emplace_back(file, EACCES);
    }
    for (const auto& [path, code] : refused) {
        EXPECT_FALSE(dataFileExists(path)) << path;
        const auto checked = checkDataFile(path);
        ASSERT_FALSE(checked) << path;
        EXPECT_EQ(checked.error().code, code) << path;
        EXPECT_FALSE(checked.error().message.empty()) << path;
    }
    const auto device = checkDataFile("/dev/null");
    ASSERT_FALSE(device);
    EXPECT_EQ(device.error().code, kErrInvalidValue);
    EXPECT_EQ(device.error().message, "通常のファイルではありません。");
}

} // namespace
