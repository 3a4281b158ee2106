#pragma once
// The main window's pump of pending user-interface events, called by the
// core inside its long loops. Running the events on every call would slow a
// full-speed replay to the event loop's pace, so a call within a small budget
// since the last run returns at once; clicks still act within a frame.

#include <chrono>
#include <functional>

class EventPump {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::chrono::milliseconds kBudget{4};

    // `runEvents` runs the pending events; `clock` tells the time.
    explicit EventPump(std::function<void()> runEvents, Clock clock = &std::chrono::steady_clock::now);

    // Runs the pending events unless they ran less than kBudget ago; the
    // first call always runs them. True when they ran.
    bool letEventsRun();

    // Notes that events just ran by other means, restarting the budget.
    void markRun();

private:
    std::function<void()> m_runEvents;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_lastRun;
    bool m_hasRun = false;
};
