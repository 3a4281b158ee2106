// The file chooser's filters and styles, set up without showing it.

#include "widgets/FileChooser.h"

#include <QFileDialog>

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

struct FilterCase {
    std::string filter;
    QStringList nameFilters;
};

TEST(FileChooserTest, FilterPairsBecomeNameFilters) {
    const FilterCase cases[] = {
        {"ﾃｷｽﾄﾌｧｲﾙ(*.*)\0*.*"s, {QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.*) (*)")}},
        {"ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)\0*.bmp\0JPEGﾌｧｲﾙ(*.jpg)\0*.jpg\0ｱｲｺﾝﾌｧｲﾙ(*.ico)\0*.ico\0\0"s,
         {QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp) (*.bmp)"), QStringLiteral("JPEGﾌｧｲﾙ(*.jpg) (*.jpg)"),
          QStringLiteral("ｱｲｺﾝﾌｧｲﾙ(*.ico) (*.ico)")}},
        {"Pictures\0*.bmp;*.jpg\0Lonely"s, {QStringLiteral("Pictures (*.bmp *.jpg)")}},
        {""s, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(fileDialogNameFilters(c.filter), c.nameFilters);
    }
}

TEST(FileChooserTest, OpenAndSaveStyles) {
    QFileDialog open;
    prepareFileDialog(open, "Text\0*.txt"s, std::string(), false);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_NE(open.windowTitle(), QStringLiteral("ﾌｧｲﾙに保存"));
    EXPECT_EQ(open.selectedNameFilter(), QStringLiteral("Text")); // shown as the caller wrote it

    QFileDialog save;
    prepareFileDialog(save, "Text\0*.*"s, "/tmp", true);
    EXPECT_EQ(save.fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save.windowTitle(), QStringLiteral("ﾌｧｲﾙに保存"));
    EXPECT_EQ(save.directory().absolutePath(), QStringLiteral("/tmp"));
    EXPECT_TRUE(save.defaultSuffix().isEmpty());
}

TEST(FileChooserTest, TheSelectedPairIsFoundByItsPlace) {
    const std::string filter = "Bitmap\0*.bmp\0PNG\0*.png\0Bitmap too\0*.bmp\0"s;
    QFileDialog dialog;
    prepareFileDialog(dialog, filter, std::string(), true);
    EXPECT_EQ(selectedFilterIndex(dialog), 0) << "the first pair is selected at first";
    for (int pair : {1, 2, 0}) {
        dialog.selectNameFilter(dialog.nameFilters().at(pair));
        EXPECT_EQ(selectedFilterIndex(dialog), pair);
    }
}

} // namespace
