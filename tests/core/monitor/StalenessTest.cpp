// A stale data file: its size and last bytes unchanged for the stale time,
// whatever its time stamp does.

#include "monitor/Staleness.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>

namespace {

using namespace std::chrono_literals;

// Sets the file's modification time `age` before `wallNow`.
void setModified(const std::string& path, WallTime wallNow, std::chrono::seconds age) {
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>((wallNow - age).time_since_epoch()).count();
    const timespec time{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    const timespec times[2] = {time, time};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

struct StalenessTest : testing::Test {
    TempDir dir;
    std::string path = dir.file("data.csv");
    StalenessWatch watch{10s};
    SteadyTime start = std::chrono::steady_clock::now();
    WallTime wallStart = std::chrono::system_clock::now();

    // A look at the file `after` the start.
    std::optional<WatchEvent> lookAt(std::chrono::milliseconds after) {
        return watch.observe(dataFileSignature(path), start + after, wallStart + after);
    }
};

// Appending, rewriting and removing are changes; a touch and a rewrite with
// the same bytes are not.
TEST_F(StalenessTest, OnlyAChangeOfSizeOrContentRestartsTheStaleTime) {
    using enum WatchEvent;
    dir.write("data.csv", "1,10\n2,20\n");
    setModified(path, wallStart, 0s);
    const std::tuple<std::function<void()>, std::chrono::milliseconds, std::optional<WatchEvent>, bool>
        steps[] = {
            // what the writer does, when the file is looked at, the event, stale afterwards
            {[] {}, 0ms, std::nullopt, false},
            {[] {}, 9999ms, std::nullopt, false},
            {[] {}, 10s, Stale, true},
            {[&] { setModified(path, wallStart, -20s); }, 11s, std::nullopt, true}, // touched only
            {[&] { dir.write("data.csv", "1,10\n2,20\n"); }, 12s, std::nullopt, true},
            {[&] { dir.append("data.csv", "3,30\n"); }, 13s, Fresh, false},
            {[] {}, 22999ms, std::nullopt, false},
            {[&] { dir.write("data.csv", "1,10\n2,20\n3,31\n"); }, 23s, std::nullopt, false}, // same size
            {[] {}, 32999ms, std::nullopt, false},
            {[] {}, 33s, Stale, true},
            {[&] { std::filesystem::remove(path); }, 34s, Fresh, false},
            {[] {}, 44s, Stale, true},
            {[&] { dir.write("data.csv", "partly written"); }, 45s, Fresh, false},
        };
    for (const auto& [write, at, event, stale] : steps) {
        write();
        EXPECT_EQ(lookAt(at), event) << "at " << at.count() << " ms";
        EXPECT_EQ(watch.stale(), stale) << "at " << at.count() << " ms";
    }
    EXPECT_EQ(watch.lastChange(), wallStart + 45s);
    EXPECT_EQ(watch.unchangedFor(start + 47s), 2s);
}

// Where watching starts, the file's time stamp is its last change: a file
// left alone long before is stale at the first look.
TEST_F(StalenessTest, TheFirstLookTakesTheFileTimeStampAsItsLastChange) {
    dir.write("data.csv", "1\n");
    setModified(path, wallStart, 3600s);
    EXPECT_EQ(lookAt(0ms), WatchEvent::Stale);
    EXPECT_EQ(watch.unchangedFor(start), 3600s);
    EXPECT_EQ(watch.lastChange(), wallStart - 3600s);

    // Not in the future, and not for a file that is not there.
    const std::tuple<std::optional<std::chrono::seconds>, std::optional<WallTime>> cases[] = {
        {-60s, std::nullopt}, {std::nullopt, std::nullopt}};
    for (const auto& [age, lastChange] : cases) {
        watch.reset();
        std::filesystem::remove(path);
        if (age) {
            dir.write("data.csv", "1\n");
            setModified(path, wallStart, *age);
        }
        EXPECT_EQ(lookAt(0ms), std::nullopt);
        EXPECT_EQ(watch.unchangedFor(start), 0s);
        EXPECT_EQ(watch.lastChange(), lastChange);
    }
}

TEST(StaleTime, IsThreePollIntervalsAndAtLeastTenSeconds) {
    const std::tuple<int, std::chrono::milliseconds> cases[] = {
        {1, 10s}, {1000, 10s}, {3334, 10002ms}, {60'000, 180s}};
    for (const auto& [interval, staleTime] : cases)
        EXPECT_EQ(windowStaleTime(interval), staleTime) << interval;
    EXPECT_EQ(staleStatusNote(75999ms), " (更新なし 75秒)");
    // A named pipe is looked at without waiting for a writer, and is no data file.
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(dataFileSignature(dir.file("pipe")).present);
}

} // namespace
