// trendola-render as a process: what reaches standard output and error, and
// the exit statuses.

#include "tests/support/TempDir.h"

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
};

TEST_F(RenderProgramTest, TheSummaryGoesToStandardOutputAndFailuresToStandardError) {
    const std::string data = dir.write("data.csv", "1\n");
    const ProgramRun run = render({"-o", out, data});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("info: 1行目を表示中... 2行 表示完了\n", 0), 0u) << run.out;
    EXPECT_TRUE(run.out.ends_with("result: true\nimage: data.bmp\n")) << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;
    std::filesystem::remove(out + "/data.bmp");

    // Bad options exit with status 2, a data file that cannot be read with 1.
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
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

} // namespace
