// trendola-demo-writer: writes demo data for Trendola, as a logging program
// would. Each line holds three measurements (temperature, pressure, humidity)
// and a time stamp, so the first field is already a number to graph:
//
//   23.41,1013.2,45,2026-12-06 20:15:01
//
// It first writes a short history, then appends a line a few times a second
// until it is stopped (or until --lines lines have been written).

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <thread>

namespace {

volatile std::sig_atomic_t g_stop = 0;
void stop(int) {
    g_stop = 1;
}

struct Weather {
    std::mt19937 random{20261206};
    std::normal_distribution<double> step{0, 1};
    double temperature = 21.5, pressure = 1013.0, humidity = 48;
    long tick = 0;

    std::string nextLine(std::time_t when) {
        ++tick;
        temperature += 0.05 * std::sin(tick / 40.0) + 0.08 * step(random);
        pressure += 0.03 * step(random);
        humidity = std::fmin(95, std::fmax(20, humidity + 0.3 * step(random)));
        char stamp[32];
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&when));
        char line[128];
        std::snprintf(line, sizeof line, "%.2f,%.1f,%.0f,%s\n", temperature, pressure, humidity, stamp);
        return line;
    }
};

int usage() {
    std::fputs("usage: trendola-demo-writer FILE [--interval MS] [--history N] [--lines N]\n"
               "Appends demo data lines to FILE until stopped.\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const char* path = nullptr;
    long interval = 300, history = 200, limit = -1;
    for (int i = 1; i < argc; ++i) {
        const auto number = [&](long& target) {
            if (i + 1 >= argc)
                return false;
            char* end = nullptr;
            target = std::strtol(argv[++i], &end, 10);
            return *end == '\0' && target >= 0;
        };
        if (!std::strcmp(argv[i], "--interval")) {
            if (!number(interval) || interval < 1)
                return usage();
        } else if (!std::strcmp(argv[i], "--history")) {
            if (!number(history))
                return usage();
        } else if (!std::strcmp(argv[i], "--lines")) {
            if (!number(limit))
                return usage();
        } else if (!path && argv[i][0] != '-') {
            path = argv[i];
        } else {
            return usage();
        }
    }
    if (!path)
        return usage();
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    std::signal(SIGHUP, stop);

    FILE* file = std::fopen(path, "a");
    if (!file) {
        std::perror(path);
        return 1;
    }
    Weather weather;
    const std::time_t start = std::time(nullptr);
    long written = 0;
    // The history ends now, one line per interval before it.
    for (long i = history; i > 0 && (limit < 0 || written < limit); --i, ++written)
        std::fputs(weather.nextLine(start - i * interval / 1000).c_str(), file);
    std::fflush(file);
    while (!g_stop && (limit < 0 || written < limit)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(interval));
        // Whole lines only: the reader must never see a line written in two parts.
        const std::string line = weather.nextLine(std::time(nullptr));
        std::fwrite(line.data(), 1, line.size(), file);
        std::fflush(file);
        ++written;
    }
    std::fclose(file);
    return 0;
}
