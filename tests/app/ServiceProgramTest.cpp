// trendola-render --follow --serve as a process, on a free loopback port:
// every route, what is refused, many clients at once while a writer
// appends, a writer that stops, SIGTERM while serving, and the metrics as
// Prometheus reads them.

#include "support/LoopbackHttp.h"
#include "support/TempDir.h"

#include <QImage>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <tuple>

extern char** environ;

namespace {

using namespace std::chrono_literals;

// Starts `arguments` (the program first) with its output going to files.
pid_t spawn(std::vector<std::string> arguments, const std::string& out, const std::string& err) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    EXPECT_EQ(::posix_spawnp(&pid, argv[0], &files, nullptr, argv.data(), environ), 0) << argv[0];
    posix_spawn_file_actions_destroy(&files);
    return pid;
}

// trendola-render running in the background, its output in files; the port
// the service took is read from what it tells on standard error.
class ServedRender {
public:
    ServedRender(const TempDir& dir, std::vector<std::string> arguments) : m_dir(dir) {
        arguments.insert(arguments.begin(), TRENDOLA_RENDER_PATH);
        m_pid = spawn(arguments, dir.file("stdout"), dir.file("stderr"));
        const std::string serving = "serving http://127.0.0.1:";
        for (int i = 0; i < 2000 && m_port == 0; ++i) {
            const std::string err = errors();
            if (const auto at = err.find(serving);
                at != std::string::npos && err.find("/\n", at) != std::string::npos)
                m_port = std::stoi(err.substr(at + serving.size()));
            else
                std::this_thread::sleep_for(10ms);
        }
        EXPECT_NE(m_port, 0) << errors();
    }
    ~ServedRender() {
        if (m_pid > 0)
            stop();
    }

    int port() const { return m_port; }
    std::string output() const { return readFile(m_dir.file("stdout")); }
    std::string errors() const { return readFile(m_dir.file("stderr")); }
    // SIGTERM; the exit status (-1 when it did not exit by itself).
    int stop() {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    const TempDir& m_dir;
    pid_t m_pid = -1;
    int m_port = 0;
};

// Waits until /state.json holds `text`; its last body.
std::string waitForState(int port, const std::string& text) {
    std::string body;
    for (int i = 0; i < 500; ++i) {
        if (const auto reply = httpGet(port, "/state.json"); reply && reply->status == 200) {
            body = reply->body;
            if (body.find(text) != std::string::npos)
                break;
        }
        std::this_thread::sleep_for(20ms);
    }
    return body;
}

TEST(ServiceProgram, AnswersEveryRouteAndRefusesTheRest) {
    TempDir dir;
    const std::string data = dir.write("plant.csv", "1,10\n2,20\n");
    ServedRender render(dir, {"-o", dir.path(), "--follow", "--serve", "0", "--interval", "20", "--column",
                              "2", "--format", "png", "--scale", "2", data});
    const int port = render.port();
    ASSERT_NE(port, 0);
    EXPECT_NE(waitForState(port, "\"now\":20").find("\"now\":20"), std::string::npos);
    // A client that connects and sends nothing holds up no one.
    const int silent = connectLoopback(port);
    ASSERT_GE(silent, 0);

    const std::string huge = "GET /" + std::string(20000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n";
    const std::string smuggled = "POST /state.json HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nGET /";
    const std::tuple<std::string, int, std::string, std::string> cases[] = {
        // request, status, content type, a part of the body
        {"GET /", 200, "text/html; charset=utf-8", "<html lang=\"ja\">"},
        {"GET /state.json", 200, "application/json", "\"file\":\"" + data + "\""},
        {"GET /metrics", 200, "text/plain; version=0.0.4; charset=utf-8",
         "\ntrendola_value{file=\"" + data + "\"} 20\n"},
        {"GET /chart.png?serial=3", 200, "image/png", "\x89PNG\r\n"},
        {"GET /chart.svg", 200, "image/svg+xml", "<svg"},
        {"HEAD /state.json", 200, "application/json", ""},
        {"GET /chart.pngx", 404, "text/plain; charset=utf-8", "404 Not Found"},
        {"GET /state.json/", 404, "text/plain; charset=utf-8", "404 Not Found"},
        {"GET /../../../../etc/passwd", 404, "text/plain; charset=utf-8", "404 Not Found"},
        {"GET /%2e%2e/%2e%2e/etc/passwd", 404, "text/plain; charset=utf-8", "404 Not Found"},
        {"GET //etc/passwd", 404, "text/plain; charset=utf-8", "404 Not Found"},
        {"GET /plant.csv", 404, "text/plain; charset=utf-8", "404 Not Found"},
        {"POST /state.json", 405, "text/plain; charset=utf-8", "405 Method Not Allowed"},
        {"PUT /", 405, "text/plain; charset=utf-8", "405 Method Not Allowed"},
        {"DELETE /metrics", 405, "text/plain; charset=utf-8", "405 Method Not Allowed"},
    };
    for (const auto& [request, status, type, part] : cases) {
        const auto space = request.find(' ');
        const auto reply = httpGet(port, request.substr(space + 1), request.substr(0, space));
        ASSERT_TRUE(reply) << request;
        EXPECT_EQ(reply->status, status) << request;
        EXPECT_EQ(reply->header("Content-Type"), type) << request;
        EXPECT_NE(reply->body.find(part), std::string::npos) << request << ": " << reply->body.substr(0, 200);
        EXPECT_EQ(reply->body.find("root:"), std::string::npos) << request;
        if (status == 405) {
            EXPECT_EQ(reply->header("Allow"), "GET, HEAD") << request;
        }
    }
    // The chart is the annotated picture, wider than the graph alone, at the picture's scale.
    const auto png = httpGet(port, "/chart.png");
    ASSERT_TRUE(png);
    const QImage chart = QImage::fromData(reinterpret_cast<const uchar*>(png->body.data()),
                                          static_cast<int>(png->body.size()), "PNG");
    EXPECT_GT(chart.width(), 2 * 577);
    EXPECT_GT(chart.height(), 2 * 145);
    // Too long a request is refused, and a body it did not read ends its connection.
    for (const std::string& request : {huge, smuggled}) {
        const auto reply = exchangeHttp(port, request);
        EXPECT_TRUE(!reply || reply->status >= 400) << request.substr(0, 40);
    }

    // SIGTERM while a client is still connected: a clean end.
    dir.append("plant.csv", "3,30\n");
    waitForState(port, "\"now\":30");
    EXPECT_EQ(render.stop(), 0) << render.errors();
    ::close(silent);
    for (const char* line : {"now: Now: 30\n", "result: true\n", "image: plant.png\n"})
        EXPECT_NE(render.output().find(line), std::string::npos) << render.output();
    EXPECT_TRUE(std::filesystem::exists(dir.file("plant.png")));
}

// 300 requests from 30 clients at once while a writer appends every 10 ms:
// all answered, and following keeps up (the state reaches the last line).
TEST(ServiceProgram, ServesManyClientsWhileFollowingKeepsUp) {
    TempDir dir;
    const std::string data = dir.write("load.csv", "0\n");
    ServedRender render(dir, {"--follow", "--serve", "0", "--interval", "5", data});
    const int port = render.port();
    ASSERT_NE(port, 0);
    std::atomic<bool> writing{true};
    std::atomic<int> last{0};
    std::thread writer([&] {
        for (int i = 1; writing && i < 100000; ++i) {
            dir.append("load.csv", std::to_string(i) + "\n");
            last = i;
            std::this_thread::sleep_for(10ms);
        }
    });
    const char* paths[] = {"/state.json", "/metrics", "/chart.png", "/chart.svg", "/"};
    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < 30; ++c)
        clients.emplace_back([&, c] {
            for (int r = 0; r < 10; ++r)
                if (const auto reply = httpGet(port, paths[(c + r) % 5]); reply && reply->status == 200)
                    ++answered;
        });
    for (std::thread& client : clients)
        client.join();
    writing = false;
    writer.join();
    EXPECT_EQ(answered, 300);
    const std::string lastValue = "\"now\":" + std::to_string(last.load()) + ",";
    EXPECT_NE(waitForState(port, lastValue).find(lastValue), std::string::npos);
    EXPECT_EQ(render.stop(), 0) << render.errors();
}

// Waits until /metrics holds `text`; whether it came.
bool waitForMetrics(int port, const std::string& text) {
    for (int i = 0; i < 500; ++i) {
        if (const auto reply = httpGet(port, "/metrics");
            reply && reply->status == 200 && reply->body.find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

// A writer that stops is stale in the metrics and the state; one more line
// makes it fresh again.
TEST(ServiceProgram, TellsAStoppedWriterAndItsReturn) {
    TempDir dir;
    const std::string data = dir.write("plant.csv", "1,10\n");
    ServedRender render(
        dir, {"--follow", "--serve", "0", "--interval", "20", "--column", "2", "--stale-after", "0.5", data});
    const int port = render.port();
    ASSERT_NE(port, 0);
    const std::string label = "{file=\"" + data + "\"} ";
    EXPECT_TRUE(waitForMetrics(port, "\ntrendola_stale" + label + "1\n"));
    const std::string stale = waitForState(port, "\"stale\":true");
    EXPECT_NE(stale.find("\"now\":10,"), std::string::npos) << stale;
    EXPECT_EQ(stale.find("\"last_change\":null"), std::string::npos) << stale;

    dir.append("plant.csv", "2,20\n");
    EXPECT_TRUE(waitForMetrics(port, "\ntrendola_stale" + label + "0\n"));
    EXPECT_NE(waitForState(port, "\"now\":20,").find("\"stale\":false"), std::string::npos);
    EXPECT_EQ(render.stop(), 0) << render.errors();
    EXPECT_NE(render.output().find("\nstale: false\n"), std::string::npos) << render.output();
}

// SIGTERM while clients hold connections (one silent, one half way through
// its request) and an alarm command runs: the command is let finish, the
// connections are not waited for (a silent one would be kept 5 s), and
// following ends as always.
TEST(ServiceProgram, EndsPromptlyOnSigtermWhileClientsWaitAndACommandRuns) {
    TempDir dir;
    const std::string data = dir.write("plant.csv", "1,95\n");
    const std::string started = dir.file("started");
    const std::string ran = dir.file("ran");
    // The file goes stale at once; no value is ever above a threshold at the scale's top.
    ServedRender render(dir,
                        {"-o", dir.path(), "--format", "png", "--follow", "--serve", "0", "--interval", "20",
                         "--column", "2", "--threshold", "100", "--stale-after", "0.1", "--alarm-command",
                         "touch '" + started + "'; sleep 1; echo $TRENDOLA_EVENT >>'" + ran + "'", data});
    const int port = render.port();
    ASSERT_NE(port, 0);
    for (int i = 0; i < 500 && !std::filesystem::exists(started); ++i)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(std::filesystem::exists(started)) << render.errors();
    const int silent = connectLoopback(port);
    const int halfway = connectLoopback(port);
    ASSERT_GE(silent, 0);
    ASSERT_GE(halfway, 0);
    const std::string part = "GET /chart.png HTTP/1.1\r\nHo";
    ASSERT_EQ(::send(halfway, part.data(), part.size(), MSG_NOSIGNAL), static_cast<ssize_t>(part.size()));

    const auto stopping = std::chrono::steady_clock::now();
    EXPECT_EQ(render.stop(), 0) << render.errors();
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, 4500ms);
    ::close(silent);
    ::close(halfway);
    EXPECT_EQ(readFile(ran), "stale\n");
    EXPECT_EQ(render.errors().find("alarm command"), std::string::npos) << render.errors();
    for (const char* line : {"now: Now: 95\n", "image: plant.png\n"})
        EXPECT_NE(render.output().find(line), std::string::npos) << render.output();
    EXPECT_TRUE(std::filesystem::exists(dir.file("plant.png")));
}

// The path of an installed program; empty when there is none.
std::string installed(const std::string& program) {
    for (const char* folder : {"/usr/bin/", "/usr/local/bin/", "/bin/"})
        if (::access((folder + program).c_str(), X_OK) == 0)
            return folder + program;
    return {};
}

TEST(ServiceProgram, MetricsPassPromtool) {
    const std::string promtool = installed("promtool");
    if (promtool.empty())
        GTEST_SKIP() << "promtool is not installed (Debian package prometheus): the metrics are not checked";
    TempDir dir;
    const std::string data = dir.write("plant \"1\".csv", "1,10\n");
    ServedRender render(dir, {"--follow", "--serve", "0", "--interval", "20", "--column", "2", data});
    // Before the first value and after it.
    for (const std::string& wanted : {std::string(), std::string("\"now\":10")}) {
        if (!wanted.empty())
            waitForState(render.port(), wanted);
        const auto metrics = httpGet(render.port(), "/metrics");
        ASSERT_TRUE(metrics);
        const std::string file = dir.write("metrics.txt", metrics->body);
        const int status = std::system(
            (promtool + " check metrics <'" + file + "' >'" + dir.file("check") + "' 2>&1").c_str());
        EXPECT_EQ(status, 0) << readFile(dir.file("check")) << metrics->body;
    }
}

// A real Prometheus scrapes the service for a few seconds.
TEST(ServiceProgram, APrometheusScrapesIt) {
    const std::string prometheus = installed("prometheus");
    if (prometheus.empty())
        GTEST_SKIP() << "Prometheus is not installed (Debian package prometheus): no real scrape is tried";
    TempDir dir;
    const std::string data = dir.write("plant.csv", "1,42\n");
    ServedRender render(dir, {"--follow", "--serve", "0", "--interval", "20", "--column", "2", data});
    // A free port for Prometheus's own web interface.
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    const int webPort = ntohs(address.sin_port);
    ::close(probe);
    const std::string config = dir.write("prometheus.yml", "global:\n  scrape_interval: 1s\nscrape_configs:\n"
                                                           "  - job_name: trendola\n    static_configs:\n"
                                                           "      - targets: ['127.0.0.1:" +
                                                               std::to_string(render.port()) + "']\n");
    const pid_t server =
        spawn({prometheus, "--config.file=" + config, "--storage.tsdb.path=" + dir.file("tsdb"),
               "--web.listen-address=127.0.0.1:" + std::to_string(webPort)},
              dir.file("prometheus.out"), dir.file("prometheus.err"));
    std::string answer;
    for (int i = 0; i < 300 && answer.find("\"42\"]") == std::string::npos; ++i) {
        std::this_thread::sleep_for(100ms);
        if (const auto reply = httpGet(webPort, "/api/v1/query?query=trendola_value");
            reply && reply->status == 200)
            answer = reply->body;
    }
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    EXPECT_NE(answer.find("\"42\"]"), std::string::npos)
        << answer << readFile(dir.file("prometheus.err")).substr(0, 2000);
    EXPECT_NE(answer.find("\"file\":\"" + data + "\""), std::string::npos) << answer;
}

} // namespace
