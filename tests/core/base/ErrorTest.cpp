#include "base/Error.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <system_error>

namespace {

TEST(Error, FormsAndTheFileItConcerns) {
    const Error missing = Error(kErrFileMissing, "ファイルが存在しませんでした。", "/data/a.csv");
    EXPECT_EQ(fileErrorMessage(missing), "/data/a.csv\r\nファイルが存在しませんでした。");
    const Error denied = aboutFile(systemError(EACCES), "/data/a.csv");
    EXPECT_EQ(denied.file, "/data/a.csv");
    EXPECT_EQ(fileErrorMessage(denied),
              "Error: (13) \r\n/data/a.csv: " + std::system_category().message(EACCES));
    EXPECT_EQ(aboutFile(denied, "/data/a.csv").message, denied.message) << "the file is named once";
    EXPECT_EQ(runErrorMessage(denied).rfind("Error (13) :/data/a.csv: ", 0), 0u);
    EXPECT_EQ(tickErrorMessage(Error(kErrOutOfMemory, "x")), "Error : 1007 x");
    EXPECT_EQ(replayErrorText(Error(kErrOutOfMemory, "x")), "Error : x");
    EXPECT_EQ(resizeErrorMessage(Error(kErrInvalidValue, "x")), "Error: 1005, x");
    EXPECT_EQ(refusedSetting("x", SettingField::Threshold).field, SettingField::Threshold);
}

// The windows show the system's reasons for the common numbers in Japanese;
// other texts stay as they are.
TEST(Error, JapaneseReasonsForTheCommonNumbers) {
    const auto english = [](int number) { return std::system_category().message(number); };
    EXPECT_EQ(withJapaneseReasons("Error: (2) \r\n/a: " + english(ENOENT)),
              "Error: (2) \r\n/a: ファイルまたはフォルダがありません");
    EXPECT_EQ(withJapaneseReasons(english(ENOSPC) + " / " + english(EROFS)),
              "ディスクに空きがありません / 読み取り専用のファイルシステムです");
    EXPECT_EQ(withJapaneseReasons(english(EIO)), english(EIO)) << "an uncommon number stays";
    EXPECT_EQ(withJapaneseReasons("12,34"), "12,34");
}

} // namespace
