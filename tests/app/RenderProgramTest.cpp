// trendola-render as a process: what reaches standard output and error, and
// the exit statuses.

#include "tests/support/TempDir.h"

#include <QImage>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

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

    ProgramRun render(const std::vector<std::string>& arguments, const std::string& environment = {}) {
        std::string command = environment + " " + quoted(TRENDOLA_RENDER_PATH);
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
        if (status == 1) {
            EXPECT_NE(run.err.find("missing.csv: No such file or directory"), std::string::npos) << run.err;
        }
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

} // namespace

namespace {

TEST_F(RenderProgramTest, DataTextsReachTheOutputWholeAndHarmless) {
    using namespace std::string_literals;
    // A NUL, and a terminal's title and bell, in a line that is not numeric.
    const std::string data = dir.write("data.csv", "1\n\x1B]0;x\a\0z\n"s);
    const ProgramRun run = render({"-o", out, data});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("row=2\\n\\x1B]0;x\\x07\\x00z\n"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("result: false\nimage: data.bmp\n")) << "nothing cut: " << run.out;
}

TEST_F(RenderProgramTest, LeavesNoRuntimeFolderBehind) {
    const std::string data = dir.write("data.csv", "1\n");
    const std::string temporary = dir.file("tmp");
    std::filesystem::create_directory(temporary);
    const ProgramRun run = render({"-o", out, data}, "env -u XDG_RUNTIME_DIR TMPDIR=" + quoted(temporary));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
}

// Following until SIGTERM: the picture is whole, the summary printed, no
// temporary file left, and the exit status 0.
TEST_F(RenderProgramTest, FollowingStopsCleanlyOnSigterm) {
    const std::string data = dir.write("live.csv", "10\n20\n");
    const std::string picture = out + "/live.png";
    const std::vector<std::string> words = {TRENDOLA_RENDER_PATH, "-o",  out,      "--follow",
                                            "--interval",         "5",   "--size", "3000x2000",
                                            "--format",           "png", data};
    std::vector<char*> argv;
    for (const auto& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, dir.file("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, dir.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);

    // Once the picture is there, stop it while it keeps rewriting it.
    for (int i = 0; i < 1000 && !std::filesystem::exists(picture); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    dir.append("live.csv", "30\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);

    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << readAll(dir.file("stderr"));
    EXPECT_TRUE(readAll(dir.file("stdout")).ends_with("result: true\nimage: live.png\n"))
        << readAll(dir.file("stdout"));
    EXPECT_EQ(QImage(QString::fromStdString(picture)).size(), QSize(3000, 2000));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1) << "no temporary file";
}

} // namespace
