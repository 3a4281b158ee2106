#include "render/HttpService.h"

#include "render/ServiceSnapshot.h"
#include "render/ServiceTexts.h"
#include "render/StatePage.h"

#include <httplib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Set by the pool while it hands over a connection it has no room for, and
// by a request that must end its connection (one whose body is not read).
thread_local bool t_noRoom = false;
thread_local bool t_closeAfter = false;

// The library's accept loop hands every connection to a task queue. This
// one serves a fixed number at once and lets a bounded number wait; one more
// is handed back at once, marked, to be told 503 and closed.
class ConnectionPool : public httplib::TaskQueue {
public:
    ConnectionPool(int workers, std::size_t waiting) : m_waiting(waiting) {
        for (int i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { work(); });
    }

    void enqueue(std::function<void()> connection) override {
        std::unique_lock lock(m_mutex);
        if (m_queue.size() >= m_waiting || m_shutdown) {
            lock.unlock();
            t_noRoom = true;
            connection();
            t_noRoom = false;
            return;
        }
        m_queue.push_back(std::move(connection));
        m_ready.notify_one();
    }

    void shutdown() override {
        {
            const std::lock_guard lock(m_mutex);
            m_shutdown = true;
        }
        m_ready.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

private:
    void work() {
        for (;;) {
            std::function<void()> connection;
            {
                std::unique_lock lock(m_mutex);
                m_ready.wait(lock, [this] { return !m_queue.empty() || m_shutdown; });
                if (m_queue.empty())
                    return;
                connection = std::move(m_queue.front());
                m_queue.pop_front();
            }
            connection();
        }
    }

    const std::size_t m_waiting;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<std::function<void()>> m_queue;
    bool m_shutdown = false;
    std::vector<std::thread> m_threads;
};

// A connection's socket with a deadline for the request in hand and a
// budget of bytes it may read; a wake-up descriptor ends every wait at once
// when the service stops.
class DeadlineStream : public httplib::Stream {
public:
    DeadlineStream(int socket, int wake) : m_socket(socket), m_wake(wake) {}

    void startRequest(Clock::time_point deadline, std::size_t budget) {
        m_deadline = deadline;
        m_budget = budget;
    }
    // Waits until the socket has something to read (or has closed), until `until`.
    bool waitFor(short events, Clock::time_point until) const {
        for (;;) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
            if (left <= 0)
                return false;
            pollfd fds[] = {{m_socket, events, 0}, {m_wake, POLLIN, 0}};
            const int ready = ::poll(fds, 2, static_cast<int>(std::min<long long>(left, 1 << 30)));
            if (ready < 0 && errno == EINTR)
                continue;
            if (ready <= 0 || fds[1].revents != 0)
                return false;
            return fds[0].revents != 0;
        }
    }

    bool is_readable() const override { return waitFor(POLLIN, m_deadline); }
    bool is_writable() const override { return waitFor(POLLOUT, m_deadline); }

    // The library reads a request's lines a byte at a time: they come from
    // a buffer, filled a block at a time within the request's budget.
    ssize_t read(char* data, size_t size) override {
        if (m_begin == m_end) {
            if (m_budget == 0 || !waitFor(POLLIN, m_deadline))
                return -1;
            ssize_t got = 0;
            do
                got = ::recv(m_socket, m_buffer.data(), std::min(m_buffer.size(), m_budget), MSG_DONTWAIT);
            while (got < 0 && errno == EINTR);
            if (got <= 0)
                return got;
            m_budget -= static_cast<std::size_t>(got);
            m_begin = 0;
            m_end = static_cast<std::size_t>(got);
        }
        const std::size_t taken = std::min(size, m_end - m_begin);
        std::memcpy(data, m_buffer.data() + m_begin, taken);
        m_begin += taken;
        return static_cast<ssize_t>(taken);
    }
    // Part of the next request is read already.
    bool buffered() const { return m_begin < m_end; }
    // The request's budget is spent: what follows on the connection is no request.
    bool spent() const { return m_budget == 0 && !buffered(); }

    // All of it, or -1.
    ssize_t write(const char* data, size_t size) override {
        std::size_t sent = 0;
        while (sent < size) {
            if (!waitFor(POLLOUT, m_deadline))
                return -1;
            const ssize_t n = ::send(m_socket, data + sent, size - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n < 0 && errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)
                return -1;
            if (n > 0)
                sent += static_cast<std::size_t>(n);
        }
        return static_cast<ssize_t>(size);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        address(::getpeername, ip, port);
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        address(::getsockname, ip, port);
    }
    socket_t socket() const override { return m_socket; }

private:
    template <typename Lookup> void address(Lookup lookup, std::string& ip, int& port) const {
        sockaddr_storage storage{};
        socklen_t length = sizeof storage;
        ip.clear();
        port = 0;
        if (lookup(m_socket, reinterpret_cast<sockaddr*>(&storage), &length) != 0)
            return;
        char text[INET6_ADDRSTRLEN] = "";
        if (storage.ss_family == AF_INET) {
            const auto* v4 = reinterpret_cast<const sockaddr_in*>(&storage);
            ::inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
            port = ntohs(v4->sin_port);
        } else if (storage.ss_family == AF_INET6) {
            const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&storage);
            ::inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
            port = ntohs(v6->sin6_port);
        }
        ip = text;
    }

    int m_socket;
    int m_wake;
    Clock::time_point m_deadline{};
    std::size_t m_budget = 0;
    std::array<char, 4096> m_buffer{};
    std::size_t m_begin = 0, m_end = 0;
};

// The library's server with our own hold on each connection: the bounds
// above in place of its per-read timeouts, which a client sending a byte at
// a time never runs into.
class BoundedServer : public httplib::Server {
public:
    BoundedServer(const HttpServiceLimits& limits, int wake, const std::atomic<bool>& stopping)
        : m_limits(limits), m_wake(wake), m_stopping(stopping) {}

private:
    bool process_and_close_socket(socket_t socket) override {
        if (t_noRoom || m_stopping) {
            static constexpr std::string_view kBusy =
                "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n"
                "Retry-After: 1\r\nConnection: close\r\n\r\n";
            if (!m_stopping)
                (void)::send(socket, kBusy.data(), kBusy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            close(socket);
            return false;
        }
        DeadlineStream stream(socket, m_wake);
        bool closed = false;
        for (int served = 0; served < m_limits.requestsPerConnection && !closed && !m_stopping; ++served) {
            if (!stream.buffered() && !stream.waitFor(POLLIN, Clock::now() + m_limits.idleTime))
                break;
            stream.startRequest(Clock::now() + m_limits.requestTime, m_limits.requestBytes);
            t_closeAfter = false;
            const bool last = served + 1 == m_limits.requestsPerConnection;
            if (!process_request(stream, last, closed, nullptr) || t_closeAfter || stream.spent())
                break;
        }
        close(socket);
        return true;
    }

    static void close(int socket) {
        ::shutdown(socket, SHUT_RDWR);
        ::close(socket);
    }

    const HttpServiceLimits m_limits;
    const int m_wake;
    const std::atomic<bool>& m_stopping;
};

const char* reasonPhrase(int status) {
    switch (status) {
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 413:
        return "Payload Too Large";
    case 414:
        return "URI Too Long";
    case 500:
        return "Internal Server Error";
    default:
        return "Error";
    }
}

void route(httplib::Server& server, const SnapshotBoard& board) {
    constexpr const char* kText = "text/plain; charset=utf-8";
    server.set_default_headers({{"Cache-Control", "no-store"}, {"X-Content-Type-Options", "nosniff"}});
    server.set_pre_routing_handler([](const httplib::Request& request, httplib::Response& response) {
        if (request.method == "GET" || request.method == "HEAD")
            return httplib::Server::HandlerResponse::Unhandled;
        // Its body stays unread: the connection cannot carry another request.
        response.status = 405;
        response.set_header("Allow", "GET, HEAD");
        response.set_header("Connection", "close");
        t_closeAfter = true;
        return httplib::Server::HandlerResponse::Handled;
    });
    server.set_error_handler([kText](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            response.set_content(std::to_string(response.status) + " " + reasonPhrase(response.status) + "\n",
                                 kText);
    });
    server.Get("/", [](const httplib::Request&, httplib::Response& response) {
        const std::string_view page = statePageHtml();
        response.set_header("Content-Security-Policy",
                            "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
                            "img-src 'self'; connect-src 'self'; frame-ancestors 'none'");
        response.set_content(page.data(), page.size(), "text/html; charset=utf-8");
    });
    server.Get("/state.json", [&board](const httplib::Request&, httplib::Response& response) {
        response.set_content(stateJson(board.latest()->state()), "application/json");
    });
    server.Get("/metrics", [&board](const httplib::Request&, httplib::Response& response) {
        response.set_content(metricsText(board.latest()->state()),
                             "text/plain; version=0.0.4; charset=utf-8");
    });
    const auto picture = [&board, kText](ImageFormat format, const char* type) {
        return [&board, kText, format, type](const httplib::Request&, httplib::Response& response) {
            // Held until answered: a newer snapshot may replace it meanwhile.
            const auto snapshot = board.latest();
            const Result<std::string>& encoded = snapshot->picture(format);
            if (encoded)
                response.set_content(*encoded, type);
            else {
                response.status = 500;
                response.set_content(encoded.error().message + "\n", kText);
            }
        };
    };
    server.Get(R"(/chart\.png)", picture(ImageFormat::Png, "image/png"));
    server.Get(R"(/chart\.svg)", picture(ImageFormat::Svg, "image/svg+xml"));
}

} // namespace

struct HttpService::Running {
    HttpServiceLimits limits;
    int wake[2] = {-1, -1};
    std::atomic<bool> stopping{false};
    std::unique_ptr<BoundedServer> server;
    std::thread listener;
    int port = 0;

    ~Running() {
        for (const int fd : wake)
            if (fd >= 0)
                ::close(fd);
    }
};

Result<std::unique_ptr<HttpService>>
HttpService::start(const ServeAddress& address, const SnapshotBoard& board, const HttpServiceLimits& limits) {
    auto running = std::make_unique<Running>();
    running->limits = limits;
    if (::pipe2(running->wake, O_CLOEXEC | O_NONBLOCK) != 0)
        return systemError(errno);
    running->server = std::make_unique<BoundedServer>(running->limits, running->wake[0], running->stopping);
    BoundedServer& server = *running->server;
    route(server, board);
    server.new_task_queue = [limits] { return new ConnectionPool(limits.workers, limits.waiting); };
    // Not the library's SO_REUSEPORT, which would let a second service share
    // the port (and its requests) instead of being told it is in use.
    server.set_socket_options([](socket_t socket) {
        const int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_payload_max_length(limits.requestBytes);
    server.set_keep_alive_max_count(static_cast<std::size_t>(limits.requestsPerConnection));
    server.set_keep_alive_timeout(
        std::max<time_t>(1, std::chrono::ceil<std::chrono::seconds>(limits.idleTime).count()));
    errno = 0;
    const int port = address.port == 0
                         ? server.bind_to_any_port(address.host)
                         : (server.bind_to_port(address.host, address.port) ? address.port : -1);
    if (port < 0)
        return Error(errno != 0 ? errno : kErrInvalidValue,
                     "cannot serve on " + address.text() + ": " +
                         (errno != 0 ? std::strerror(errno) : "the address cannot be had"));
    running->port = port;
    running->listener = std::thread([&server] { server.listen_after_bind(); });
    // A stop before the loop runs would be lost: it starts at once, so wait for it.
    for (int i = 0; i < 5000 && !server.is_running(); ++i)
        std::this_thread::sleep_for(1ms);
    return std::unique_ptr<HttpService>(new HttpService(std::move(running)));
}

HttpService::HttpService(std::unique_ptr<Running> running) : m_running(std::move(running)) {}

HttpService::~HttpService() {
    stop();
}

int HttpService::port() const {
    return m_running->port;
}

void HttpService::stop() {
    if (!m_running->listener.joinable())
        return;
    m_running->stopping = true;
    const char wake = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(m_running->wake[1], &wake, 1);
    m_running->server->stop();
    m_running->listener.join();
}
