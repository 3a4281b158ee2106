#include "render/FollowWatch.h"

#include "monitor/Monitor.h"
#include "render/AlarmCommand.h"
#include "render/ChartScene.h"
#include "render/HttpService.h"
#include "render/IsoTime.h"
#include "render/RenderOptions.h"
#include "render/RenderSession.h"
#include "render/ServiceSnapshot.h"
#include "text/NumberText.h"

namespace {

// The stale time asked for; the window's rule when only the service needs one.
std::optional<std::chrono::milliseconds> staleTimeFor(const RenderOptions& options) {
    if (options.staleAfter)
        return std::chrono::milliseconds(static_cast<std::int64_t>(*options.staleAfter * 1000));
    if (options.serve)
        return windowStaleTime(options.settings.pollInterval);
    return std::nullopt;
}

std::string numberOrEmpty(const std::optional<double>& value) {
    return value ? decimalText(*value) : std::string();
}

} // namespace

Result<std::unique_ptr<FollowWatch>> FollowWatch::start(const RenderOptions& options, RenderSession& session,
                                                        const RenderErrorSink& errors) {
    if (!options.staleAfter && !options.alarmCommand && !options.serve)
        return std::unique_ptr<FollowWatch>();
    std::unique_ptr<FollowWatch> watch(new FollowWatch(options, session, errors));
    Monitor& monitor = session.monitor();
    RenderSummary& labels = session.view().summary();
    if (options.serve) {
        watch->m_board = std::make_unique<SnapshotBoard>();
        watch->publish(monitor, labels, session.view().chartSwitches());
        auto service = HttpService::start(*options.serve, *watch->m_board);
        if (!service)
            return service.error();
        watch->m_service = std::move(*service);
        ServeAddress listening = *options.serve;
        listening.port = watch->m_service->port();
        if (!listening.loopback())
            errors("warning: the service on " + listening.text() +
                   " has no authentication: whoever reaches that address sees the data");
        errors("serving http://" + listening.text() + "/");
    }
    if (options.alarmCommand)
        watch->m_command = std::make_unique<AlarmCommand>(*options.alarmCommand);
    session.setFollowWatch(watch.get());
    return watch;
}

FollowWatch::FollowWatch(const RenderOptions& options, RenderSession& session, const RenderErrorSink& errors)
    : m_options(options), m_session(session), m_errors(errors), m_watch(staleTimeFor(options)),
      m_showsAlarm(options.serve || options.alarmCommand) {}

FollowWatch::~FollowWatch() {
    m_session.setFollowWatch(nullptr);
}

void FollowWatch::afterTick(Monitor& monitor, bool stored, RenderSummary& labels,
                            const ChartSwitches& switches) {
    const SteadyTime now = std::chrono::steady_clock::now();
    const WallTime wallNow = std::chrono::system_clock::now();
    for (const WatchEvent event : m_watch.afterTick(monitor, stored, now, wallNow))
        passOn(event, monitor, wallNow);
    if (const StalenessWatch* staleness = m_watch.staleness())
        labels.statusNote =
            staleness->stale() ? staleStatusNote(staleness->unchangedFor(now)) : std::string();
    // Red for the alarm wins over grey for a stale file, as in the window.
    labels.nowColour.reset();
    if (m_showsAlarm && m_watch.above())
        labels.nowColour = kRed;
    else if (m_watch.stale())
        labels.nowColour = kGrey;
    if (m_board)
        publish(monitor, labels, switches);
    reportAlarmCommand();
}

void FollowWatch::passOn(WatchEvent event, const Monitor& monitor, WallTime wallNow) {
    const bool staleness = event == WatchEvent::Stale || event == WatchEvent::Fresh;
    if (!m_command || (staleness && !m_options.staleAfter))
        return;
    const Scale& scale = monitor.scale();
    m_command->post(AlarmEvent{
        std::string(watchEventName(event)), numberOrEmpty(m_watch.newestValue()),
        numberOrEmpty(thresholdValue(scale.top(), scale.bottom(), monitor.settings().thresholdPercent)),
        monitor.settings().dataFile, isoUtcText(wallNow)});
}

void FollowWatch::publish(Monitor& monitor, const RenderSummary& labels, const ChartSwitches& switches) {
    ServiceState state;
    const Scale& scale = monitor.scale();
    state.now = m_watch.newestValue();
    if (state.now) {
        state.highest = scale.highest();
        state.lowest = scale.lowest();
        state.lines = monitor.lastLineReader().lineCount();
    }
    state.scaleTop = scale.top();
    state.scaleBottom = scale.bottom();
    state.thresholdPercent = monitor.settings().thresholdPercent;
    state.thresholdValue = thresholdValue(scale.top(), scale.bottom(), state.thresholdPercent);
    state.aboveThreshold = m_watch.above();
    state.stale = m_watch.stale();
    if (const StalenessWatch* staleness = m_watch.staleness())
        state.lastChange = staleness->lastChange();
    state.file = monitor.settings().dataFile;
    state.serial = ++m_serial;
    m_board->publish(std::make_shared<const ServiceSnapshot>(
        std::move(state), captureChartScene(monitor, switches, labels, m_options)));
}

void FollowWatch::reportAlarmCommand() {
    if (m_command)
        for (const std::string& report : m_command->takeReports())
            m_errors(report);
}

void FollowWatch::finish(RenderSummary& summary) {
    if (m_finished)
        return;
    m_finished = true;
    if (m_service)
        m_service->stop();
    if (m_command) {
        // What is queued still runs, within one command's time limit.
        m_command->finish(AlarmCommandLimits{}.timeLimit);
        reportAlarmCommand();
    }
    if (m_watch.staleness())
        summary.stale = m_watch.stale();
    m_session.setFollowWatch(nullptr);
}
