#pragma once
// What the window shows of a live run it is not looked at: with
// "更新停止を表示する", " (更新なし N秒)" after the status line and a grey
// Now label once the data file has been unchanged for the stale time (three
// poll intervals, at least 10 s); with "しきい値超えを知らせる", a red Now
// label while the newest value is above the threshold (red wins over grey)
// and a beep at each crossing upward. Both are off by default, and then
// nothing changes.

#include "base/Colour.h"
#include "monitor/LiveWatch.h"

#include <QString>

#include <functional>
#include <optional>

class MainWindow;
class Monitor;

class WindowWatch {
public:
    // Both must outlive the watch; `beep` sounds the bell.
    WindowWatch(MainWindow& window, const Monitor& monitor, std::function<void()> beep);

    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // After each tick of the timer, which stored a value or not.
    void afterTick(bool stored);
    // A run button went down or up: a live run that ends takes its marks away.
    void runButtonsChanged();
    // One of the two menu items was switched.
    void switchesChanged();

private:
    // The status line's note and the Now label's colour for the watch's state.
    void show();
    void clear();

    MainWindow& m_window;
    const Monitor& m_monitor;
    std::function<void()> m_beep;
    std::optional<LiveWatch> m_watch; // while a live run goes on
    QString m_note;                   // what was added to the status line
    std::optional<Colour> m_colour;   // the Now label's, when not its usual one
};
