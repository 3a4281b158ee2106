// The alarm command: what its environment tells, its order, its time
// limit, its failures and its queue's bound.

#include "render/AlarmCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;

// The lines of a file.
std::vector<std::string> linesOf(const std::string& path) {
    std::istringstream text(readFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

AlarmEvent event(const std::string& name, const std::string& value = "95") {
    return AlarmEvent{name, value, "80", "/data/a b.csv", "2024-05-01T09:30:00Z"};
}

TEST(AlarmCommand, TellsEachEventThroughItsEnvironmentInOrder) {
    TempDir dir;
    ::setenv("TRENDOLA_EVENT", "left over", 1); // the event's own wins
    const std::string out = dir.file("events");
    {
        AlarmCommand command("printf '%s|%s|%s|%s|%s|%s\\n' \"$TRENDOLA_EVENT\" \"$TRENDOLA_VALUE\" "
                             "\"$TRENDOLA_THRESHOLD\" \"$TRENDOLA_FILE\" \"$TRENDOLA_TIME\" \"$HOME\" >>'" +
                             out + "'");
        command.post(event("above"));
        command.post(event("below", "15"));
        command.post(AlarmEvent{"stale", "", "", "/data/a b.csv", "2024-05-01T09:31:00Z"});
        command.finish(5s);
        EXPECT_TRUE(command.takeReports().empty());
    }
    ::unsetenv("TRENDOLA_EVENT");
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    EXPECT_EQ(linesOf(out), (std::vector<std::string>{
                                "above|95|80|/data/a b.csv|2024-05-01T09:30:00Z|" + home,
                                "below|15|80|/data/a b.csv|2024-05-01T09:30:00Z|" + home,
                                "stale|||/data/a b.csv|2024-05-01T09:31:00Z|" + home,
                            }));
}

// A failure and a command past its limit are reported; neither keeps the
// next event from running, and an ended command ends with what it started.
TEST(AlarmCommand, ReportsFailuresAndEndsACommandPastItsLimit) {
    TempDir dir;
    const std::string out = dir.file("events");
    const auto started = std::chrono::steady_clock::now();
    {
        AlarmCommand command("case $TRENDOLA_EVENT in above) exit 3;; below) (sleep 1; echo late >>'" + out +
                                 "') & sleep 3;; *) echo $TRENDOLA_EVENT >>'" + out + "';; esac",
                             AlarmCommandLimits{.timeLimit = 300ms});
        command.post(event("above"));
        command.post(event("below"));
        command.post(event("fresh"));
        command.finish(5s);
        EXPECT_EQ(command.takeReports(), (std::vector<std::string>{
                                             "alarm command for \"above\" failed with exit status 3",
                                             "alarm command for \"below\" ran past 300 ms and was ended",
                                         }));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    std::this_thread::sleep_for(1500ms); // what the ended command started would have written by now
    EXPECT_EQ(linesOf(out), std::vector<std::string>{"fresh"});
}

// Events beyond the queue drop the oldest waiting ones, told once; at the
// end, what is still waiting after the grace is dropped and told. The first
// event runs while the rest arrive, so all of those wait.
TEST(AlarmCommand, BoundsItsQueue) {
    struct Case {
        std::optional<std::size_t> queueSize; // none: the default
        int waiting;                          // events posted while the first runs
        std::string dropped;                  // the report of drops, empty for none
        std::string nextStarted;              // the value of the first waiting one to run
        std::string notRun;                   // the report of those still waiting at the end
    };
    const Case cases[] = {
        {2, 4, "alarm command: 2 event(s) dropped, more than 2 were waiting", "4",
         "alarm command: 1 event(s) not run, trendola-render was stopping"},
        {std::nullopt, 100, "", "2", "alarm command: 99 event(s) not run, trendola-render was stopping"},
        {std::nullopt, 103, "alarm command: 3 event(s) dropped, more than 100 were waiting", "5",
         "alarm command: 99 event(s) not run, trendola-render was stopping"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.waiting << " waiting");
        TempDir dir;
        const std::string out = dir.file("events");
        const std::string started = dir.file("started");
        AlarmCommandLimits limits;
        if (c.queueSize)
            limits.queueSize = *c.queueSize;
        // Each command tells that it started; the first event's is short, any other would take long.
        AlarmCommand command("echo $TRENDOLA_VALUE >>'" + started +
                                 "'; [ \"$TRENDOLA_VALUE\" = 1 ] && sleep 0.3 || " +
                                 "sleep 5; echo $TRENDOLA_VALUE >>'" + out + "'",
                             limits);
        command.post(event("above", "1"));
        for (int i = 0; i < 500 && !std::filesystem::exists(started); ++i)
            std::this_thread::sleep_for(10ms);
        for (int i = 2; i <= c.waiting + 1; ++i)
            command.post(event("above", std::to_string(i)));
        EXPECT_EQ(command.takeReports(),
                  c.dropped.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.dropped});
        command.finish(1500ms); // the first ends and the next starts in it, then the time is up
        EXPECT_EQ(linesOf(started), (std::vector<std::string>{"1", c.nextStarted}))
            << "the oldest waiting are dropped, the rest kept in order";
        EXPECT_EQ(linesOf(out), std::vector<std::string>{"1"});
        EXPECT_EQ(command.takeReports(),
                  (std::vector<std::string>{
                      "alarm command for \"above\" was ended: trendola-render was stopping", c.notRun}));
        command.post(event("below")); // after the end: not taken
        EXPECT_TRUE(command.takeReports().empty());
    }
}

} // namespace
