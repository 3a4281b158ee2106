#pragma once
// trendola-render --serve: the live page, the chart, the state and the
// metrics over HTTP, GET (and HEAD) only, from the latest snapshot the
// following published. It runs on threads of its own and reads nothing but
// that snapshot: no file is ever reached through a URL.
//
// Routes: "/" (the page), "/chart.png", "/chart.svg", "/state.json" and
// "/metrics"; another path gets 404, another method 405. Connections and
// requests are bounded: a few are served at once and a few more wait, any
// beyond those are told 503 at once; a request must arrive, and its answer
// leave, within a time limit, so a slow client holds up no other.

#include "base/Result.h"
#include "render/ServeAddress.h"

#include <chrono>
#include <cstddef>
#include <memory>

class SnapshotBoard;

struct HttpServiceLimits {
    int workers = 32;                              // connections served at once
    std::size_t waiting = 128;                     // accepted ones waiting for a worker
    std::chrono::milliseconds requestTime{10'000}; // to read one request and send its answer
    std::chrono::milliseconds idleTime{5'000};     // for a connection's next request (and its first)
    int requestsPerConnection = 100;               //
    std::size_t requestBytes = 16 * 1024;          // a request's line, headers and body together
};

class HttpService {
public:
    // Listens on `address` and serves `board`'s latest snapshot, which must
    // be published before the first request and outlive the service. The
    // error when the address cannot be had (in use, not this machine's).
    static Result<std::unique_ptr<HttpService>> start(const ServeAddress& address, const SnapshotBoard& board,
                                                      const HttpServiceLimits& limits = {});
    // Stops.
    ~HttpService();
    HttpService(const HttpService&) = delete;
    HttpService& operator=(const HttpService&) = delete;

    // The port it listens on (the one the system chose, for port 0).
    int port() const;

    // No new connection is taken; the open ones are closed at once, a
    // request in the middle of being answered included. Returns when the
    // service's threads have ended.
    void stop();

private:
    struct Running;
    explicit HttpService(std::unique_ptr<Running> running);
    std::unique_ptr<Running> m_running;
};
