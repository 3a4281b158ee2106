#include "render/AlarmCommand.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr std::array kEventVariables = {"TRENDOLA_EVENT", "TRENDOLA_VALUE", "TRENDOLA_THRESHOLD",
                                        "TRENDOLA_FILE", "TRENDOLA_TIME"};

// The process's environment with the event's variables in place of any of
// the same names.
std::vector<std::string> environmentFor(const AlarmEvent& event) {
    std::vector<std::string> variables;
    for (char** entry = environ; entry && *entry; ++entry) {
        const std::string_view text(*entry);
        const bool ours = std::any_of(kEventVariables.begin(), kEventVariables.end(), [&](const char* name) {
            return text.starts_with(name) && text.size() > std::strlen(name) &&
                   text[std::strlen(name)] == '=';
        });
        if (!ours)
            variables.emplace_back(text);
    }
    const std::array<const std::string*, kEventVariables.size()> values = {
        &event.event, &event.value, &event.threshold, &event.file, &event.time};
    for (std::size_t i = 0; i < kEventVariables.size(); ++i)
        variables.push_back(std::string(kEventVariables[i]) + "=" + *values[i]);
    return variables;
}

std::string seconds(std::chrono::milliseconds limit) {
    const auto ms = limit.count();
    return ms % 1000 == 0 ? std::to_string(ms / 1000) + " s" : std::to_string(ms) + " ms";
}

} // namespace

AlarmCommand::AlarmCommand(std::string command, AlarmCommandLimits limits)
    : m_command(std::move(command)), m_limits(limits), m_thread([this] { run(); }) {}

AlarmCommand::~AlarmCommand() {
    finish(0ms);
}

void AlarmCommand::post(AlarmEvent event) {
    const std::lock_guard lock(m_mutex);
    if (m_finishing)
        return;
    if (m_queue.size() >= m_limits.queueSize) {
        m_queue.pop_front();
        ++m_dropped;
    }
    m_queue.push_back(std::move(event));
    m_changed.notify_all();
}

std::vector<std::string> AlarmCommand::takeReports() {
    const std::lock_guard lock(m_mutex);
    if (m_dropped > 0) {
        m_reports.push_back("alarm command: " + std::to_string(m_dropped) + " event(s) dropped, more than " +
                            std::to_string(m_limits.queueSize) + " were waiting");
        m_dropped = 0;
    }
    return std::exchange(m_reports, {});
}

void AlarmCommand::finish(std::chrono::milliseconds grace) {
    {
        const std::lock_guard lock(m_mutex);
        if (!m_finishing) {
            m_finishing = true;
            m_finishBy = Clock::now() + grace;
        } else {
            m_finishBy = std::min(m_finishBy, Clock::now() + grace);
        }
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void AlarmCommand::report(std::string message) {
    const std::lock_guard lock(m_mutex);
    m_reports.push_back(std::move(message));
}

void AlarmCommand::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queue.empty() || m_finishing; });
        if (m_queue.empty() || (m_finishing && Clock::now() >= m_finishBy))
            break;
        const AlarmEvent event = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        runOne(event);
        lock.lock();
    }
    if (!m_queue.empty()) {
        m_reports.push_back("alarm command: " + std::to_string(m_queue.size()) +
                            " event(s) not run, trendola-render was stopping");
        m_queue.clear();
    }
}

void AlarmCommand::runOne(const AlarmEvent& event) {
    const std::string what = "alarm command for \"" + event.event + "\"";
    std::vector<std::string> variables = environmentFor(event);
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string shell = "sh", dashC = "-c", command = m_command;
    char* arguments[] = {shell.data(), dashC.data(), command.data(), nullptr};

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, STDERR_FILENO, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, so that ending it ends what it started too; and the
    // signals as a fresh shell has them, not as this program handles them.
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, "/bin/sh", &files, &attributes, arguments, environment.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        report(what + " could not be started: " + std::strerror(spawned));
        return;
    }

    const Clock::time_point limit = Clock::now() + m_limits.timeLimit;
    int status = 0;
    bool ended = false;
    bool stopping = false;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            break;
        std::unique_lock lock(m_mutex);
        stopping = m_finishing && Clock::now() >= m_finishBy;
        if (stopping || Clock::now() >= limit) {
            lock.unlock();
            // Asked to end first; made to, when it does not.
            ::kill(-pid, SIGTERM);
            const Clock::time_point kill = Clock::now() + 1s;
            while (::waitpid(pid, &status, WNOHANG) == 0 && Clock::now() < kill)
                std::this_thread::sleep_for(10ms);
            ::kill(-pid, SIGKILL);
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            ended = true;
            break;
        }
        m_changed.wait_for(lock, 10ms);
    }
    if (ended)
        report(what + (stopping ? " was ended: trendola-render was stopping"
                                : " ran past " + seconds(m_limits.timeLimit) + " and was ended"));
    else if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        report(what + " failed with exit status " + std::to_string(WEXITSTATUS(status)));
    else if (WIFSIGNALED(status))
        report(what + " was ended by signal " + std::to_string(WTERMSIG(status)));
}
