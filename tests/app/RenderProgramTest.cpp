// trendola-render end to end: the real program on fixture files, its summary,
// its exit status and the pixels of its pictures.

#include "../core/TempDir.h"

#include <QColor>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& word) {
    std::string result = "'";
    for (char c : word)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct RenderProgramTest : testing::Test {
    TempDir dir;
    std::string out = dir.file("out");

    RenderProgramTest() { std::filesystem::create_directory(out); }

    ProgramRun render(const std::vector<std::string>& arguments) {
        std::string command = quoted(TRENDOLA_RENDER_PATH);
        for (const auto& argument : arguments)
            command += " " + quoted(argument);
        command += " >" + quoted(dir.file("stdout")) + " 2>" + quoted(dir.file("stderr"));
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(dir.file("stdout")),
                readAll(dir.file("stderr"))};
    }
    ProgramRun renderFile(const std::string& content, std::vector<std::string> arguments = {}) {
        const std::string data = dir.write("data.csv", content);
        arguments.insert(arguments.begin(), {"-o", out});
        arguments.push_back(data);
        return render(arguments);
    }
    bool outIsEmpty() const { return std::filesystem::is_empty(out); }
};

TEST_F(RenderProgramTest, PrintsTheSummaryAndWritesTheChart) {
    const ProgramRun run = renderFile("10\n20\n30\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "info: 3行目を表示中... 4行 表示完了\n"
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
    // The newest sample, 30 on a 0..40 scale, is at the right edge (just
    // outside the last column), a quarter of the way down: row 36. In the
    // last column the line reaches up to that height.
    int top = -1;
    for (int row = 0; row < image.height() && top < 0; ++row)
        if (image.pixelColor(576, row) == QColor(Qt::yellow))
            top = row;
    EXPECT_GE(top, 36);
    EXPECT_LE(top, 38);
    // The threshold line at 80 % height, in red, across the chart.
    EXPECT_EQ(image.pixelColor(300, 29), QColor(Qt::red));
}

TEST_F(RenderProgramTest, ShowsTheErrorLineOnlyWhileItApplies) {
    ProgramRun run = renderFile("time,temp\n1,5\n2,6\n", {"--column", "2"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("error:"), std::string::npos);
    EXPECT_NE(run.out.find("result: true\n"), std::string::npos);

    run = renderFile("1,5\n2,a\\b\n", {"--column", "2"});
    EXPECT_EQ(run.status, 0) << "a replay that ran to its end";
    EXPECT_NE(run.out.find("error: 数値データではありません。row=2\\na\\\\b\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("result: false\n"), std::string::npos);
}

TEST_F(RenderProgramTest, BadOptionsExitWithStatusTwoAndAMissingFileWithOne) {
    const std::string data = dir.write("data.csv", "1\n");
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"-o", out, dir.file("missing.csv")}, 1},
        {{"-o", out, "--column", "0", data}, 2},
        {{"-o", dir.file("no-such-folder"), data}, 2},
        {{"-o", out, "--encoding", "UTF-16", data}, 2},
        {{data}, 2},
    };
    for (const auto& [arguments, status] : cases) {
        const ProgramRun run = render(arguments);
        EXPECT_EQ(run.status, status) << testing::PrintToString(arguments);
        EXPECT_FALSE(run.err.empty());
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(outIsEmpty());
}

TEST_F(RenderProgramTest, SavesSweepsAndPagesInOrder) {
    std::string lines;
    for (int i = 1; i <= 300; ++i)
        lines += std::to_string(i % 50) + "\n";
    ProgramRun run = renderFile(lines.substr(0, lines.find("14\n")), {"--sweeps", "--points", "5"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("image: data1.bmp\nimage: data2.bmp\nimage: data.bmp\n"), std::string::npos)
        << run.out;

    run = renderFile(lines, {"--sweeps", "--page", "2", "--page-size", "100", "--format", "png"});
    EXPECT_NE(run.out.find("info: 101行目から201行目を表示\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("image: data2.png\nimage: data3.png\nimage: data.png\n"), std::string::npos);
    EXPECT_FALSE(QImage(QString::fromStdString(out + "/data3.png")).isNull());
}

TEST_F(RenderProgramTest, AnUnwritablePictureEndsOnTheErrorPath) {
    std::filesystem::create_directory(out + "/data1.bmp"); // in the way of the first sweep picture
    const ProgramRun run = renderFile("1\n2\n3\n4\n", {"--sweeps", "--points", "1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("error: Error : "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("image: data.bmp\n"), std::string::npos) << "the final chart is still written";
    EXPECT_EQ(readAll(dir.file("data.csv")), "1\n2\n3\n4\n") << "nothing else lost";
}

TEST_F(RenderProgramTest, NeverOverwritesTheDataFile) {
    const std::string data = dir.write("out/chart.bmp", "1\n2\n");
    const ProgramRun run = render({"-o", out, data});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(readAll(data), "1\n2\n");
}

TEST_F(RenderProgramTest, DecodesTextsInTheChosenEncoding) {
    const std::string data = "1\n\x95\x5c\n"; // 表 in Shift_JIS
    ProgramRun run = renderFile(data, {"--encoding", "Shift_JIS"});
    EXPECT_NE(run.out.find("row=2\\n表\n"), std::string::npos) << run.out;
    run = renderFile(data, {"--encoding", "UTF-8"});
    EXPECT_NE(run.out.find("row=2\\n\xEF\xBF\xBD\\\\\n"), std::string::npos) << run.out;
}

TEST_F(RenderProgramTest, HugeValuesWidenTheScaleToRoundValues) {
    const ProgramRun run = renderFile("1E300\n-1E300\n2.5e1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("scale: 2E+300 | 1E+300 | 0 | -1E+300 | -2E+300\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("max: Max: 1E+300\n"), std::string::npos);
}

} // namespace
