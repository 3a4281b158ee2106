// Following with its watch: the alarm command once per crossing each way,
// the stale data file in the summary and on the annotated picture.

#include "render/RenderJob.h"
#include "render/RenderOptions.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;

TEST(FollowWatch, RunsTheAlarmCommandOncePerCrossingAndTellsAStaleFile) {
    TempDir dir;
    // The first value sets the fixed scale once (0..100 for 95), then it stays.
    const std::string data = dir.write("plant.csv", "1,95\n");
    const std::string events = dir.file("events");
    // Following reads only the last line at a tick: each value is written
    // once the one before it has been told, so none is passed over.
    std::thread writer([&] {
        for (int i = 0; i < 4; ++i) {
            for (int wait = 0; wait < 500 && std::ranges::count(readFile(events), '\n') <= i; ++wait)
                std::this_thread::sleep_for(10ms);
            dir.append("plant.csv", i % 2 == 0 ? "2,15\n" : "3,95\n");
        }
    });
    const auto options =
        parseRenderOptions({"-o",
                            dir.path(),
                            "--follow",
                            "--interval",
                            "5",
                            "--for",
                            "2",
                            "--column",
                            "2",
                            "--fixed-scale",
                            "--max",
                            "100",
                            "--min",
                            "0",
                            "--threshold",
                            "80",
                            "--annotate",
                            "--format",
                            "png",
                            "--stale-after",
                            "0.4",
                            "--alarm-command",
                            "echo \"$TRENDOLA_EVENT $TRENDOLA_VALUE $TRENDOLA_THRESHOLD\" >>'" + events + "'",
                            data});
    ASSERT_TRUE(options) << options.error().message;
    std::vector<std::string> errors;
    const RenderResult result = runRenderJob(*options, [&](const std::string& e) { errors.push_back(e); });
    writer.join();

    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(errors.empty()) << testing::PrintToString(errors);
    std::istringstream told(readFile(events));
    std::vector<std::string> lines;
    for (std::string line; std::getline(told, line);)
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"above 95 80", "below 15 80", "above 95 80", "below 15 80",
                                               "above 95 80", "stale 95 80"}));
    ASSERT_TRUE(result.summary);
    EXPECT_EQ(result.summary->stale, true);
    EXPECT_TRUE(result.summary->statusNote.starts_with(" (更新なし ")) << result.summary->statusNote;
    EXPECT_NE(formatSummary(*result.summary).find("\nstale: true\n"), std::string::npos);

    // Stale and above: the Now label is red, not grey (the labels are in
    // the picture's lower part, the threshold line in its upper part).
    EXPECT_EQ(result.summary->nowColour, kRed);
    const QImage picture(QString::fromStdString(dir.file("plant.png")));
    ASSERT_FALSE(picture.isNull());
    int reddish = 0; // the text is smoothed: no pixel need be exactly red
    for (int y = picture.height() * 3 / 4; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            reddish += pixel.red() > 160 && pixel.green() < 110 && pixel.blue() < 110;
        }
    EXPECT_GT(reddish, 10);
}

// Without the watching options nothing of it shows.
TEST(FollowWatch, IsNotThereWhenNotAskedFor) {
    TempDir dir;
    const std::string data = dir.write("plant.csv", "95\n");
    const auto options = parseRenderOptions({"-o", dir.path(), "--follow", "--count", "1", data});
    ASSERT_TRUE(options);
    const RenderResult result = runRenderJob(*options, [](const std::string&) {});
    ASSERT_TRUE(result.summary);
    EXPECT_FALSE(result.summary->stale);
    EXPECT_EQ(formatSummary(*result.summary).find("stale:"), std::string::npos);
}

} // namespace
