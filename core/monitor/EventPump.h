#pragma once
// Letting the window's pending events run from inside a long loop, on a
// time budget: a full-speed replay calls this after every line, but events
// run only once a few milliseconds have passed since they last ran, so the
// loop is not slowed while clicks still act within a frame.

#include <cstdint>

class MonitorView;

class EventPump {
public:
    // budgetMs 0 lets events run at every call.
    explicit EventPump(MonitorView& view, int budgetMs = 4);

    // True when events are due to run. The clock is read at every eighth
    // call only: a call per line would otherwise cost more than the line.
    bool due() {
        if (m_budgetMs <= 0)
            return true;
        if (++m_callsSinceCheck < 8)
            return false;
        m_callsSinceCheck = 0;
        return budgetSpent();
    }
    // Lets pending events run now.
    void run();
    // Waits up to maxMs while letting events run.
    void wait(int maxMs);

    // Milliseconds on a cheap monotonic clock.
    static std::int64_t nowMs();

private:
    bool budgetSpent() const;

    MonitorView& m_view;
    int m_budgetMs;
    std::int64_t m_lastRunMs = 0;
    int m_callsSinceCheck = 0;
};
