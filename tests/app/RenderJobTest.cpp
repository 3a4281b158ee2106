// trendola-render's job in-process: the summary, the pictures and the exit
// status for fixture files.

#include "app/RenderJob.h"
#include "app/RenderOptions.h"
#include "tests/support/TempDir.h"

#include <QColor>
#include <QImage>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct RenderJobTest : testing::Test {
    TempDir dir;
    std::string out = dir.file("out");
    std::vector<std::string> errors;

    RenderJobTest() { std::filesystem::create_directory(out); }

    // Renders `content` as data.csv with the options of `arguments`.
    RenderResult render(const std::string& content, std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), {"-o", out});
        arguments.push_back(dir.write("data.csv", content));
        const RenderOptionsResult parsed = parseRenderOptions(arguments);
        EXPECT_TRUE(parsed.options) << parsed.error;
        return runRenderJob(*parsed.options, [this](const std::string& e) { errors.push_back(e); });
    }
    std::string summaryOf(const RenderResult& result) const {
        return result.summary ? formatSummary(*result.summary) : "(none)";
    }
};

TEST_F(RenderJobTest, ReplaysIntoTheSummaryAndTheChart) {
    const RenderResult result = render("10\n20\n30\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(summaryOf(result), "info: 3行目を表示中... 4行 表示完了\n"
                                 "head: 表示項目数:500\n"
                                 "max: Max: 30\n"
                                 "now: Now: 30\n"
                                 "min: Min: 0\n"
                                 "scale: 40 | 30 | 20 | 10 | 0\n"
                                 "result: true\n"
                                 "image: data.bmp\n");
    const std::string bmp = readAll(out + "/data.bmp");
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<int>(bmp[28]), 24) << "a 24-bit Windows bitmap";

    const QImage image(QString::fromStdString(out + "/data.bmp"));
    ASSERT_EQ(image.size(), QSize(577, 145));
    // The newest sample, 30 on a 0..40 scale, is at the right edge, a quarter
    // of the way down: in the last column the line reaches up to row 36.
    int top = -1;
    for (int row = 0; row < image.height() && top < 0; ++row)
        if (image.pixelColor(576, row) == QColor(Qt::yellow))
            top = row;
    EXPECT_GE(top, 36);
    EXPECT_LE(top, 38);
    EXPECT_EQ(image.pixelColor(300, 29), QColor(Qt::red)) << "the threshold line at 80 %";
}

TEST_F(RenderJobTest, SummaryLinesFollowTheLabels) {
    const std::tuple<std::string, std::vector<std::string>, std::string> cases[] = {
        {"time,temp\n1,5\n2,6\n", {"--column", "2"}, "result: true\n"},
        {"1,5\n2,a\\b\n", {"--column", "2"}, "error: 数値データではありません。row=2\\na\\\\b\n"},
        {"1\n\x95\x5c\n", {"--encoding", "Shift_JIS"}, "row=2\\n表\n"},
        {"1\n\x95\x5c\n", {"--encoding", "UTF-8"}, "row=2\\n\xEF\xBF\xBD\\\\\n"},
        {"1E300\n-1E300\n2.5e1\n", {}, "scale: 2E+300 | 1E+300 | 0 | -1E+300 | -2E+300\n"},
    };
    for (const auto& [content, arguments, line] : cases) {
        const RenderResult result = render(content, arguments);
        EXPECT_EQ(result.status, 0) << "a replay that ran to its end";
        EXPECT_NE(summaryOf(result).find(line), std::string::npos) << summaryOf(result);
    }
    EXPECT_EQ(summaryOf(render("1\n2\n")).find("error:"), std::string::npos)
        << "the error line only while it applies";
}

TEST_F(RenderJobTest, SavesThePicturesInTheChosenFormatInOrder) {
    std::string lines;
    for (int i = 1; i <= 300; ++i)
        lines += std::to_string(i % 50) + "\n";
    const RenderResult result = render(lines, {"--sweeps", "--page", "2", "--page-size", "100", "--format", "png"});
    EXPECT_EQ(result.summary->info, "101行目から201行目を表示");
    EXPECT_EQ(result.summary->images, (std::vector<std::string>{"data2.png", "data3.png", "data.png"}));
    EXPECT_FALSE(QImage(QString::fromStdString(out + "/data3.png")).isNull());
}

TEST_F(RenderJobTest, FailuresEndWithStatusOneAndLoseNothing) {
    std::filesystem::create_directory(out + "/data1.bmp"); // in the way of the first sweep picture
    RenderResult result = render("1\n2\n3\n4\n", {"--sweeps", "--points", "1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.summary->errInfo.rfind("Error : ", 0), 0u);
    EXPECT_EQ(result.summary->images, std::vector<std::string>{"data.bmp"})
        << "the final chart is still written";
    EXPECT_EQ(readAll(dir.file("data.csv")), "1\n2\n3\n4\n");

    // A data file named like the final picture is never written over.
    const std::string data = dir.write("out/chart.bmp", "1\n2\n");
    RenderOptions options;
    options.outDir = out;
    options.dataFile = data;
    result = runRenderJob(options, [this](const std::string& e) { errors.push_back(e); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(readAll(data), "1\n2\n");
    EXPECT_FALSE(errors.empty());
}

} // namespace
