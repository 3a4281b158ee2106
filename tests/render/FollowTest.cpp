// trendola-render --follow in-process, against a writer thread, and the
// immediate end on a second termination signal.

#include "io/AtomicFileWrite.h"
#include "render/RenderJob.h"
#include "render/RenderOptions.h"
#include "render/StopSignals.h"
#include "support/Pixels.h"
#include "support/TempDir.h"

#include <QImage>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(Follow, FollowsAWriterThroughTruncationAndAMissingFile) {
    TempDir dir;
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    const std::string data = dir.write("live.csv", "");
    std::string history;
    for (int i = 0; i < 100; ++i)
        history += "50\n";

    std::atomic<bool> done{false};
    std::thread writer([&] {
        dir.write("live.csv", history);
        std::this_thread::sleep_for(100ms);
        dir.write("live.csv", "70\n"); // truncated and rewritten shorter
        std::this_thread::sleep_for(100ms);
        std::filesystem::remove(data);
        std::this_thread::sleep_for(100ms);
        while (!done) {
            dir.append("live.csv", "90\n");
            std::this_thread::sleep_for(20ms);
        }
    });
    const auto options = parseRenderOptions(
        {"-o", out, "--follow", "--interval", "5", "--for", "1", "--points", "20", "--format", "png", data});
    ASSERT_TRUE(options) << options.error().message;
    std::vector<std::string> errors;
    const RenderResult result = runRenderJob(*options, [&](const std::string& e) { errors.push_back(e); });
    done = true;
    writer.join();

    EXPECT_EQ(result.status, 0);
    ASSERT_TRUE(result.summary);
    EXPECT_EQ(result.summary->valueLabels, (std::array<std::string, 3>{"Max: 90", "Now: 90", "Min: 0"}));
    // Counted afresh after the truncation and again after the new file came.
    const int lines = std::stoi(result.summary->status);
    EXPECT_GT(lines, 1);
    EXPECT_LT(lines, 100) << result.summary->status;
    EXPECT_EQ(result.summary->images, std::vector<std::string>{"live.png"});
    // The missing file is reported once, and its return once.
    ASSERT_EQ(errors.size(), 2u) << testing::PrintToString(errors);
    EXPECT_NE(errors[0].find("ファイルが存在しませんでした。"), std::string::npos);
    EXPECT_EQ(errors[1], "following again: " + data);

    // The picture shows the last values only: every slot holds 90, a tenth
    // down on the scale of 0..100 it widened to.
    const QImage picture(QString::fromStdString(out + "/live.png"));
    ASSERT_EQ(picture.size(), QSize(577, 145));
    const QRect series = colourBounds(picture, kYellow);
    EXPECT_NEAR(series.top(), 14, 1);
    EXPECT_NEAR(series.bottom(), 14, 1);
    EXPECT_GT(series.width(), 500);
}

// A file that is not there yet is waited for, as one that disappears later.
TEST(Follow, WaitsForAFileThatIsNotThereYet) {
    TempDir dir;
    const std::string data = dir.file("later.csv");
    std::thread writer([&] {
        std::this_thread::sleep_for(100ms);
        dir.write("later.csv", "5\n");
    });
    const auto options =
        parseRenderOptions({"-o", dir.path(), "--follow", "--interval", "5", "--for", "0.5", data});
    ASSERT_TRUE(options) << options.error().message;
    std::vector<std::string> errors;
    const RenderResult result = runRenderJob(*options, [&](const std::string& e) { errors.push_back(e); });
    writer.join();
    EXPECT_EQ(result.status, 0);
    ASSERT_TRUE(result.summary);
    EXPECT_EQ(result.summary->valueLabels[1], "Now: 5");
    ASSERT_EQ(errors.size(), 2u) << testing::PrintToString(errors);
    EXPECT_NE(errors[0].find("ファイルが存在しませんでした。"), std::string::npos);
    EXPECT_EQ(errors[1], "following again: " + data);
}

// Writes a picture that a file size limit holds at its first bytes; the
// limit's signal sends the two termination signals.
void writeInterruptedTwice(const std::string& path) {
    SignalStopRequest::install();
    std::signal(SIGXFSZ, [](int) {
        std::raise(SIGTERM);
        std::raise(SIGTERM);
    });
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    (void)writeFileAtomically(path, std::string(1 << 20, 'x'));
    std::exit(0);
}

// A second signal ends the process at once, even in the middle of writing a
// picture, and takes the temporary file with it.
TEST(StopSignalsDeathTest, ASecondSignalEndsAtOnceLeavingNoTemporaryFile) {
    TempDir dir;
    // Forked, not started afresh, so that the child writes into this folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_EXIT(writeInterruptedTwice(dir.file("picture.bmp")), testing::ExitedWithCode(128 + SIGTERM), "");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

} // namespace
