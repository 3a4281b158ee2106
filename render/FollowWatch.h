#pragma once
// What trendola-render adds to following when asked to watch it: the data
// file's staleness (--stale-after), the threshold's crossings and the alarm
// command run for them (--alarm-command), and the monitoring service
// (--serve), all fed after each tick from what the tick left.

#include "base/Result.h"
#include "monitor/LiveWatch.h"
#include "render/RenderJob.h"

#include <memory>
#include <optional>

class AlarmCommand;
class HttpService;
class Monitor;
class RenderSession;
class SnapshotBoard;
struct ChartSwitches;
struct RenderOptions;
struct RenderSummary;

class FollowWatch {
public:
    // Nothing when the options ask for no watching; the error (for
    // standard error, exit status 2) when the service cannot listen. Starts
    // the service and the alarm command's thread, publishes the state before
    // the first tick and joins the session, whose ticks it then follows.
    // `errors` gets every report, on the following's thread; both must
    // outlive the watch.
    static Result<std::unique_ptr<FollowWatch>> start(const RenderOptions& options, RenderSession& session,
                                                      const RenderErrorSink& errors);
    ~FollowWatch();
    FollowWatch(const FollowWatch&) = delete;
    FollowWatch& operator=(const FollowWatch&) = delete;

    // After one tick, which stored a value or not: the events passed on,
    // the labels' notes (the status line's staleness, the Now label's
    // colour) brought up to date, a new snapshot published.
    void afterTick(Monitor& monitor, bool stored, RenderSummary& labels, const ChartSwitches& switches);

    // Following has ended: the service stops, queued alarm commands get
    // their time limit to finish, and the summary learns the staleness.
    void finish(RenderSummary& summary);

private:
    FollowWatch(const RenderOptions& options, RenderSession& session, const RenderErrorSink& errors);
    void publish(Monitor& monitor, const RenderSummary& labels, const ChartSwitches& switches);
    void passOn(WatchEvent event, const Monitor& monitor, WallTime wallNow);
    void reportAlarmCommand();

    const RenderOptions& m_options;
    RenderSession& m_session;
    const RenderErrorSink& m_errors;
    LiveWatch m_watch;
    bool m_showsAlarm;
    std::unique_ptr<SnapshotBoard> m_board;
    std::unique_ptr<HttpService> m_service;
    std::unique_ptr<AlarmCommand> m_command;
    std::uint64_t m_serial = 0;
    bool m_finished = false;
};
