#include "mainwin/WindowWatch.h"

#include "base/Colour.h"
#include "mainwin/MainWindow.h"
#include "monitor/Monitor.h"

#include <algorithm>

WindowWatch::WindowWatch(MainWindow& window, const Monitor& monitor, std::function<void()> beep)
    : m_window(window), m_monitor(monitor), m_beep(std::move(beep)) {}

void WindowWatch::afterTick(bool stored) {
    // A tick that failed has stopped the run already.
    if (!m_window.runButtonDown(RunButton::Live))
        return;
    // The file is looked at only while its staleness is shown; switching it
    // on starts afresh from the file's own time stamp.
    if (!m_watch)
        m_watch.emplace(std::nullopt);
    if (m_window.staleShown() != (m_watch->staleness() != nullptr))
        m_watch->setStaleTime(m_window.staleShown()
                                  ? std::optional(windowStaleTime(m_monitor.settings().pollInterval))
                                  : std::nullopt);
    const auto events = m_watch->afterTick(m_monitor, stored, std::chrono::steady_clock::now(),
                                           std::chrono::system_clock::now());
    if (m_window.thresholdAlarmOn() && std::count(events.begin(), events.end(), WatchEvent::Above) > 0 &&
        m_beep)
        m_beep();
    show();
}

void WindowWatch::runButtonsChanged() {
    if (m_window.runButtonDown(RunButton::Live))
        return;
    m_watch.reset();
    clear();
}

void WindowWatch::switchesChanged() {
    if (!m_watch) {
        clear();
        return;
    }
    // Switched off, the file is forgotten: switched on again, it is looked at afresh.
    if (!m_window.staleShown())
        m_watch->setStaleTime(std::nullopt);
    show();
}

void WindowWatch::show() {
    const bool stale = m_window.staleShown() && m_watch->stale();
    const QString note = stale ? QString::fromStdString(staleStatusNote(
                                     m_watch->staleness()->unchangedFor(std::chrono::steady_clock::now())))
                               : QString();
    std::optional<Colour> colour;
    if (m_window.thresholdAlarmOn() && m_watch->above())
        colour = kRed;
    else if (stale)
        colour = kGrey;
    // With both items off the labels are left exactly as the tick left them.
    if (note != m_note || !note.isEmpty()) {
        QString status = m_window.statusText();
        if (!m_note.isEmpty() && status.endsWith(m_note))
            status.chop(m_note.size());
        m_note = note;
        m_window.setStatusText(status + m_note);
    }
    if (colour != m_colour) {
        m_colour = colour;
        m_window.setNowValueColour(colour);
    }
}

void WindowWatch::clear() {
    QString status = m_window.statusText();
    if (!m_note.isEmpty() && status.endsWith(m_note))
        m_window.setStatusText(status.chopped(m_note.size()));
    m_note.clear();
    if (m_colour) {
        m_colour.reset();
        m_window.setNowValueColour(std::nullopt);
    }
}
