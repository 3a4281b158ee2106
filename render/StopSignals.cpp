#include "render/StopSignals.h"

#include "io/AtomicFileWrite.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_signal = 0;
int g_wakePipe[2] = {-1, -1};
char g_folder[4096] = "";

// Only async-signal-safe calls here.
void onTerminationSignal(int signo) {
    if (g_signal != 0) {
        removeTemporaryFilesInProgress();
        if (g_folder[0] != '\0')
            ::rmdir(g_folder);
        ::_exit(128 + signo);
    }
    g_signal = signo;
    const int savedErrno = errno;
    const char wake = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wakePipe[1], &wake, 1);
    errno = savedErrno;
}

} // namespace

bool NoStopRequest::waitFor(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return false;
}

SignalStopRequest* SignalStopRequest::install() {
    static SignalStopRequest instance;
    static bool installed = false;
    if (installed)
        return &instance;
    if (::pipe2(g_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return nullptr;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signo : {SIGINT, SIGTERM, SIGHUP})
        if (::sigaction(signo, &action, nullptr) != 0)
            return nullptr;
    installed = true;
    return &instance;
}

int SignalStopRequest::signal() const {
    return g_signal;
}

bool SignalStopRequest::waitFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (g_signal == 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now())
                .count();
        if (left <= 0)
            break;
        pollfd wake{g_wakePipe[0], POLLIN, 0};
        ::poll(&wake, 1, static_cast<int>(left)); // a signal wakes it either way
    }
    return g_signal != 0;
}

void SignalStopRequest::removeFolderOnImmediateEnd(const std::string& folder) {
    if (folder.size() < sizeof g_folder)
        std::memcpy(g_folder, folder.c_str(), folder.size() + 1);
}
