// trendola-render as a process: what reaches standard output and error, and
// the exit statuses.

#include "base/ProgramVersion.h"
#include "support/TempDir.h"

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <tuple>

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

struct RenderProgramTest : testing::Test {
    TempDir dir;
    std::string out = dir.file("out");

    RenderProgramTest() { std::filesystem::create_directory(out); }

    // Runs trendola-render in `environment`, then the shell's `then`, whose
    // status is the run's.
    ProgramRun render(const std::vector<std::string>& arguments, const std::string& environment = {},
                      const std::string& then = {}) {
        return run(TRENDOLA_RENDER_PATH, arguments, environment, then);
    }

    ProgramRun run(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& environment = {}, const std::string& then = {}) {
        std::string command = environment + " " + quoted(program);
        for (const auto& argument : arguments)
            command += " " + quoted(argument);
        command += " >" + quoted(dir.file("stdout")) + " 2>" + quoted(dir.file("stderr")) + then;
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.file("stdout")),
                readFile(dir.file("stderr"))};
    }
};

// The summary goes to standard output whole and harmless, failures to
// standard error; no runtime folder is left behind.
TEST_F(RenderProgramTest, TheSummaryGoesToStandardOutputAndFailuresToStandardError) {
    using namespace std::string_literals;
    // A NUL, and a terminal's title and bell, in a line that is not numeric.
    const std::string data = dir.write("data.csv", "1\n\x1B]0;x\a\0z\n"s);
    const std::string temporary = dir.file("tmp");
    std::filesystem::create_directory(temporary);
    const ProgramRun run = render({"-o", out, data}, "env -u XDG_RUNTIME_DIR TMPDIR=" + quoted(temporary));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("row=2\\n\\x1B]0;x\\x07\\x00z\n"), std::string::npos) << run.out;
    EXPECT_TRUE(run.out.ends_with("result: false\nimage: data.bmp\n")) << "nothing cut: " << run.out;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
    std::filesystem::remove(out + "/data.bmp");

    // Bad options exit with status 2, a data file that cannot be read with 1.
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"-o", out, dir.file("missing.csv")}, 1},
        {{"-o", out, "--column", "0", data}, 2},
        {{"-o", dir.file("no-such-folder"), data}, 2},
        {{"-o", out, "--encoding", "UTF-16", data}, 2},
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

// Following until SIGTERM, sent once the picture is there and while it is
// being rewritten: the picture is whole, the summary printed, no temporary
// file left, and the exit status 0.
TEST_F(RenderProgramTest, FollowingStopsCleanlyOnSigterm) {
    const std::string data = dir.write("live.csv", "10\n20\n");
    const std::string picture = out + "/live.png";
    const ProgramRun run =
        render({"-o", out, "--follow", "--interval", "5", "--size", "3000x2000", "--format", "png", data}, "",
               " & pid=$!; for i in $(seq 1000); do [ -e " + quoted(picture) +
                   " ] && break; sleep 0.01; done; echo 30 >>" + quoted(data) +
                   "; sleep 0.05; kill -TERM $pid; wait $pid");
    EXPECT_EQ(run.status, 0) << "128 + 15 when ended by the signal; " << run.err;
    EXPECT_TRUE(run.out.ends_with("result: true\nimage: live.png\n")) << run.out;
    EXPECT_EQ(QImage(QString::fromStdString(picture)).size(), QSize(3000, 2000));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out), {}), 1) << "no temporary file";
}

// Output of real programs: pipes, a ping log, a mixed log, quoted CSV,
// aligned columns and values far from zero, replayed and followed.
TEST_F(RenderProgramTest, ReadsWhatRealProgramsWrite) {
    const std::string ping = dir.write("ping.log", "PING h (10.0.0.1) 56(84) bytes of data.\n"
                                                   "64 bytes from 10.0.0.1: icmp_seq=1 ttl=64 time=0.052 ms\n"
                                                   "64 bytes from 10.0.0.1: icmp_seq=2 ttl=64 time=0.045 ms\n"
                                                   "--- h ping statistics ---\n");
    const std::string mixed = dir.write("app.log", "INFO temp=21.5\nINFO temp=22.5\nWARN disk full\n");
    const std::string quotedCsv =
        dir.write("sheet.csv", "\"time\",\"temp\"\r\n\"2026-01-01 00:00\",\"12.5\"\r\n"
                               "\"a,b\",13.75\r\n");
    const std::string aligned = dir.write("columns.txt", "procs  free\n1  500\n2  600\n");
    const std::string large = dir.write("epoch.txt", "1000000000\n1000000100\n1000000050\n");
    const std::string slowWriter = "(for i in 1 2 3; do echo $i; sleep 0.05; done; printf 77) |";
    const std::tuple<std::string, std::vector<std::string>, std::string, std::string> cases[] = {
        // standard input's producer, options, in the summary, on standard error
        {"seq 1 50 |",
         {"-"},
         "now: Now: 50\nmin: Min: 0\nscale: 60 | 45 | 30 | 15 | 0\nresult: true\nimage: stdin.bmp\n",
         ""},
        {"", {"--match", "time=([0-9.]+)", ping}, "now: Now: 0.045\n", ""},
        {"", {"--follow", "--count", "1", "--match", "temp=([0-9.]+)", mixed}, "now: Now: 22.5\n", ""},
        {"", {"--column", "2", quotedCsv}, "now: Now: 13.75\n", ""},
        {"",
         {"--delimiter", "space", "--column", "2", aligned},
         "result: false",
         "hint: field 2 of the first line is empty because blanks follow each other; --skip-repeated"},
        {"", {"--delimiter", "space", "--skip-repeated", "--column", "2", aligned}, "now: Now: 600\n", ""},
        {"", {"--fit", large}, "scale: 1000000100 | 1000000075 | 1000000050 | 1000000025 | 1000000000\n", ""},
        {slowWriter, {"--follow", "--interval", "10", "-"}, "now: Now: 77\n", ""},
        {slowWriter, {"--follow", "--interval", "10", "--match", "^(7+)$", "-"}, "now: Now: 77\n", ""},
    };
    for (const auto& [producer, options, summary, error] : cases) {
        std::vector<std::string> arguments{"-o", out};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ProgramRun run = render(arguments, producer);
        SCOPED_TRACE(producer + testing::PrintToString(options));
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(summary), std::string::npos) << run.out;
        if (error.empty())
            EXPECT_EQ(run.err, "");
        else
            EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    }
}

// Both programs answer --version from the shell alone: no display is needed
// and no window is made (the X platform without a display would abort).
TEST_F(RenderProgramTest, BothProgramsTellTheirVersionWithoutADisplay) {
    const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb";
    for (const auto& [program, name] : {std::pair<std::string, std::string>{TRENDOLA_PATH, "trendola"},
                                        {TRENDOLA_RENDER_PATH, "trendola-render"}}) {
        const ProgramRun run = this->run(program, {"--version"}, noDisplay);
        EXPECT_EQ(std::tie(run.status, run.out, run.err),
                  std::tuple(0, name + " " + std::string(kProgramVersion) + "\n", std::string()))
            << name;
    }
}

} // namespace
