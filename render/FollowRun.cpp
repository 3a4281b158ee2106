#include "render/FollowRun.h"

#include "render/RenderOptions.h"
#include "render/RenderSession.h"
#include "render/StopSignals.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// Reports a problem once while it lasts.
class OnceReporter {
public:
    explicit OnceReporter(const RenderErrorSink& errors) : m_errors(errors) {}
    void problem(const std::string& message) {
        if (!message.empty() && message != m_last)
            m_errors(m_last = message);
    }
    // The problem is over; true when one had been reported.
    bool resolved() { return !std::exchange(m_last, {}).empty(); }

private:
    const RenderErrorSink& m_errors;
    std::string m_last;
};

} // namespace

FollowOutcome followDataFile(RenderSession& session, const RenderOptions& options, StopRequest& stop,
                             const RenderErrorSink& errors) {
    session.view().setFollowing(true);
    OnceReporter tickProblems(errors), saveProblems(errors);
    const Clock::time_point start = Clock::now();
    std::optional<Clock::time_point> deadline;
    if (options.forSeconds)
        deadline = start + std::chrono::duration_cast<Clock::duration>(
                               std::chrono::duration<double>(*options.forSeconds));
    const auto interval = std::chrono::milliseconds(options.settings.pollInterval);

    FollowOutcome outcome;
    std::int64_t values = 0;
    std::int64_t sinceSave = 0;
    Clock::time_point next = start;
    while (!stop.requested()) {
        outcome.lastPlotted = session.followTick();
        tickProblems.problem(session.view().takeMessage());
        if (outcome.lastPlotted) {
            if (tickProblems.resolved())
                errors("following again: " + options.dataFile());
            ++values;
            if (++sinceSave >= options.every) {
                sinceSave = 0;
                if (auto saved = session.savePicture(); !saved)
                    saveProblems.problem(saved.error().message);
                else
                    saveProblems.resolved();
            }
        }
        if (options.count && values >= *options.count)
            break;
        if (session.inputEnded())
            break; // that tick took the end of standard input
        // A slow tick delays the next one; it never makes ticks bunch up.
        next = std::max(next + interval, Clock::now());
        const Clock::time_point wake = deadline ? std::min(next, *deadline) : next;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now()).count();
        if (stop.waitFor(static_cast<int>(std::clamp<std::int64_t>(wait, 0, 1 << 30))))
            break;
        if (deadline && Clock::now() >= *deadline)
            break;
    }

    // A tick that plotted nothing left only the grid; the picture keeps the
    // series as the last value left it.
    if (!outcome.lastPlotted)
        session.redrawSeries();
    if (auto saved = session.savePicture(); !saved) {
        errors(saved.error().message);
        outcome.status = 1;
    }
    if (session.inputFailed())
        outcome.status = 1;
    session.view().setFollowing(false);
    return outcome;
}
