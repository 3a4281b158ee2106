#include "monitor/EventPump.h"

#include "monitor/MonitorView.h"

#include <time.h>

EventPump::EventPump(MonitorView& view, int budgetMs) : m_view(view), m_budgetMs(budgetMs) {}

std::int64_t EventPump::nowMs() {
    // The coarse clock costs a few nanoseconds, which matters at one call per
    // line; its resolution of a few milliseconds is all a budget needs.
    timespec now{};
#ifdef CLOCK_MONOTONIC_COARSE
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
#else
    clock_gettime(CLOCK_MONOTONIC, &now);
#endif
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

bool EventPump::budgetSpent() const {
    return nowMs() - m_lastRunMs >= m_budgetMs;
}

void EventPump::run() {
    m_view.letEventsRun();
    m_lastRunMs = nowMs();
}

void EventPump::wait(int maxMs) {
    m_view.waitForEvents(maxMs);
    m_lastRunMs = nowMs();
}
