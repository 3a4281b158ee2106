#pragma once
// trendola-render --alarm-command: a shell command run once per event (a
// crossing of the threshold, the data file going stale or fresh again), one
// at a time and in order, on a thread of its own so that following never
// waits for it. Events that arrive while one runs wait in a bounded queue;
// beyond it the oldest are dropped. A command that fails or runs too long is
// reported, and ended when too long; none ever stops following.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// What the command is told, through its environment: TRENDOLA_EVENT,
// TRENDOLA_VALUE, TRENDOLA_THRESHOLD, TRENDOLA_FILE and TRENDOLA_TIME.
struct AlarmEvent {
    std::string event;     // "above", "below", "stale" or "fresh"
    std::string value;     // the newest value's text; empty before the first
    std::string threshold; // the threshold's value; empty on a scale without span
    std::string file;      // the data file
    std::string time;      // ISO 8601, UTC
};

struct AlarmCommandLimits {
    std::chrono::milliseconds timeLimit{10'000}; // a command running longer is ended
    std::size_t queueSize = 100;                 // events waiting beyond the one running
};

class AlarmCommand {
public:
    // Runs `command` through /bin/sh -c, its standard input empty and its
    // standard output going to standard error (standard output is the summary's).
    explicit AlarmCommand(std::string command, AlarmCommandLimits limits = {});
    // As finish() with no time left.
    ~AlarmCommand();
    AlarmCommand(const AlarmCommand&) = delete;
    AlarmCommand& operator=(const AlarmCommand&) = delete;

    // Queues an event; the oldest waiting one is dropped when the queue is full.
    void post(AlarmEvent event);

    // What went wrong since the last call, one message each: failures, time
    // limits, drops. Taken on the following's own thread, so that every
    // report leaves from there.
    std::vector<std::string> takeReports();

    // Lets what is queued run for at most `grace` (each command still within
    // its own limit); then ends the one running and drops the rest, reported.
    // No event is taken after it.
    void finish(std::chrono::milliseconds grace);

private:
    void run();
    // Runs one event's command to its end or its limit.
    void runOne(const AlarmEvent& event);
    void report(std::string message);

    const std::string m_command;
    const AlarmCommandLimits m_limits;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<AlarmEvent> m_queue;
    std::vector<std::string> m_reports;
    std::size_t m_dropped = 0; // dropped since the last report of drops
    bool m_finishing = false;
    std::chrono::steady_clock::time_point m_finishBy{};
    std::thread m_thread;
};
