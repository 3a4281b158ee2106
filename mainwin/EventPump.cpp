#include "mainwin/EventPump.h"

#include <utility>

EventPump::EventPump(std::function<void()> runEvents, Clock clock)
    : m_runEvents(std::move(runEvents)), m_clock(std::move(clock)) {}

bool EventPump::letEventsRun() {
    if (m_hasRun && m_clock() - m_lastRun < kBudget)
        return false;
    // Restarted before running, so a handler that calls back in here while
    // the events run meets a fresh budget instead of recursing.
    markRun();
    m_runEvents();
    return true;
}

void EventPump::markRun() {
    m_lastRun = m_clock();
    m_hasRun = true;
}
