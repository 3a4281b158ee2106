#include "app/RenderOptions.h"
#include "app/RenderSummary.h"

#include <gtest/gtest.h>

namespace {

RenderOptionsResult parse(std::vector<std::string> arguments) {
    return parseRenderOptions(arguments);
}

TEST(RenderOptions, ReadsEveryOption) {
    const auto result = parse({"-o",
                               "/out",
                               "--column",
                               "3",
                               "--delimiter",
                               "tab",
                               "--skip-repeated",
                               "--points",
                               "20",
                               "--page-size",
                               "7",
                               "--max",
                               "1.5e2",
                               "--min",
                               "-3",
                               "--fixed-scale",
                               "--threshold",
                               "0",
                               "--no-grid",
                               "--no-threshold",
                               "--composite",
                               "--color",
                               "赤",
                               "--sweeps",
                               "--size",
                               "800x200",
                               "--format",
                               "png",
                               "--encoding",
                               "Shift_JIS",
                               "data.csv"});
    ASSERT_TRUE(result.options) << result.error;
    const RenderOptions& o = *result.options;
    EXPECT_EQ(o.outDir, "/out");
    EXPECT_EQ(o.dataFile, "data.csv");
    EXPECT_EQ(o.column, 3);
    EXPECT_EQ(o.delimiter, "タブ");
    EXPECT_TRUE(o.skipRepeated);
    EXPECT_EQ(o.points, 20);
    EXPECT_EQ(o.pageSize, 7);
    EXPECT_FALSE(o.pageMode);
    EXPECT_EQ(o.max, 150);
    EXPECT_EQ(o.min, -3);
    EXPECT_TRUE(o.fixedScale);
    EXPECT_EQ(o.threshold, 0);
    EXPECT_TRUE(o.noGrid && o.noThreshold && o.composite && o.sweeps);
    EXPECT_EQ(o.colour, "赤");
    EXPECT_EQ(o.width, 800);
    EXPECT_EQ(o.height, 200);
    EXPECT_EQ(o.format, ImageFormat::Png);
    EXPECT_EQ(o.encoding, "Shift_JIS");
}

TEST(RenderOptions, DefaultsAndSmallRules) {
    auto result = parse({"--out", "d", "f"});
    ASSERT_TRUE(result.options);
    EXPECT_EQ(result.options->delimiter, "カンマ");
    EXPECT_EQ(result.options->points, 500);
    EXPECT_EQ(result.options->pageSize, 5000);
    EXPECT_EQ(result.options->width, 577);
    EXPECT_EQ(result.options->height, 145);
    EXPECT_EQ(result.options->format, ImageFormat::Bmp);

    result =
        parse({"-o", "a", "-o", "b", "--page", "2", "--column", "4", "--column", "5", "--", "-data.csv"});
    ASSERT_TRUE(result.options) << result.error;
    EXPECT_EQ(result.options->outDir, "b") << "the last one wins";
    EXPECT_EQ(result.options->column, 5);
    EXPECT_TRUE(result.options->pageMode) << "--page implies page mode";
    EXPECT_EQ(result.options->dataFile, "-data.csv");
    EXPECT_EQ(parse({"--delimiter", "セミコロン", "-o", "d", "f"}).options->delimiter, "セミコロン");
    EXPECT_TRUE(parse({"--help"}).options->help);
}

TEST(RenderOptions, RefusesWhatItCannotUse) {
    const std::vector<std::vector<std::string>> cases = {
        {"-o", "d"},
        {"f"},
        {"-o", "d", "f", "g"},
        {"-o", "d", "--bogus", "f"},
        {"-o", "d", "f", "--column"},
        {"-o", "d", "--column", "0", "f"},
        {"-o", "d", "--column", "1001", "f"},
        {"-o", "d", "--column", "2.5", "f"},
        {"-o", "d", "--points", "0", "f"},
        {"-o", "d", "--page-size", "-1", "f"},
        {"-o", "d", "--page", "0", "f"},
        {"-o", "d", "--threshold", "101", "f"},
        {"-o", "d", "--max", "abc", "f"},
        {"-o", "d", "--min", "1E400", "f"},
        {"-o", "d", "--color", "緑", "f"},
        {"-o", "d", "--size", "0x5", "f"},
        {"-o", "d", "--size", "100", "f"},
        {"-o", "d", "--format", "gif", "f"},
        {"-o", "d", "--delimiter", "pipe", "f"},
    };
    for (const auto& arguments : cases) {
        const auto result = parse(arguments);
        EXPECT_FALSE(result.options) << testing::PrintToString(arguments);
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(RenderSummary, EscapesBackslashesAndLineBreaks) {
    EXPECT_EQ(escapeSummaryText("a\\b"), "a\\\\b");
    EXPECT_EQ(escapeSummaryText("1\r\n2\r3\n4"), "1\\n2\\n3\\n4");
    EXPECT_EQ(escapeSummaryText("\r\n\n"), "\\n\\n");
}

} // namespace
