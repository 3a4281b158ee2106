// The monitoring service's bounds, with limits small enough to reach: a
// connection with no room is told 503 at once, a request must come whole
// within its time and its budget, and stopping ends every connection.

#include "render/HttpService.h"
#include "render/ServiceSnapshot.h"
#include "support/LoopbackHttp.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

struct HttpServiceTest : testing::Test {
    SnapshotBoard board;
    std::unique_ptr<HttpService> service;

    void start(const HttpServiceLimits& limits) {
        ServiceState state;
        state.file = "plant.csv";
        board.publish(std::make_shared<const ServiceSnapshot>(state, ChartScene{}));
        auto started = HttpService::start(ServeAddress{}, board, limits);
        ASSERT_TRUE(started) << started.error().message;
        service = std::move(*started);
    }
    // True when the server closes `socket` within `within`.
    static bool closedWithin(int socket, std::chrono::milliseconds within) {
        pollfd ready{socket, POLLIN, 0};
        char byte;
        return ::poll(&ready, 1, static_cast<int>(within.count())) == 1 && ::recv(socket, &byte, 1, 0) == 0;
    }
};

TEST_F(HttpServiceTest, TellsAConnectionWithNoRoomAtOnce) {
    start({.workers = 1, .waiting = 1, .idleTime = 60s});
    const int served = connectLoopback(service->port()); // holds the one worker, sending nothing
    std::this_thread::sleep_for(100ms);
    const int waiting = connectLoopback(service->port()); // waits for it
    std::this_thread::sleep_for(100ms);
    const auto refused = httpGet(service->port(), "/state.json");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 503);
    EXPECT_EQ(refused->header("Retry-After"), "1");
    const auto stopping = std::chrono::steady_clock::now();
    service->stop(); // the silent ones are let go at once, not after their idle time
    EXPECT_LT(std::chrono::steady_clock::now() - stopping, 30s);
    EXPECT_TRUE(closedWithin(served, 1s));
    EXPECT_TRUE(closedWithin(waiting, 1s));
    ::close(served);
    ::close(waiting);
}

TEST_F(HttpServiceTest, ARequestMustComeWholeInItsTimeAndBudget) {
    start({.requestTime = 300ms, .idleTime = 5s, .requestBytes = 200});
    // A byte, then nothing: dropped once the request's time is up.
    const int slow = connectLoopback(service->port());
    ASSERT_EQ(::send(slow, "G", 1, MSG_NOSIGNAL), 1);
    EXPECT_TRUE(closedWithin(slow, 3s));
    ::close(slow);
    // Within the budget it is answered; beyond it, refused.
    const auto fits = httpGet(service->port(), "/state.json");
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->status, 200);
    EXPECT_NE(fits->body.find("\"file\":\"plant.csv\""), std::string::npos);
    const auto beyond = exchangeHttp(service->port(), "GET /state.json HTTP/1.1\r\nHost: x\r\nX-Padding: " +
                                                          std::string(300, 'x') + "\r\n\r\n");
    EXPECT_TRUE(!beyond || beyond->status == 400) << beyond->head;
    // A connection carries its requests one after another.
    const auto twice =
        exchangeHttp(service->port(), "GET /metrics HTTP/1.1\r\nHost: x\r\n\r\n"
                                      "GET /state.json HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    ASSERT_TRUE(twice);
    EXPECT_NE(twice->body.find("\"file\":\"plant.csv\""), std::string::npos);
}

TEST_F(HttpServiceTest, APortInUseIsRefusedWithTheReason) {
    start({});
    ServeAddress taken;
    taken.port = service->port();
    const auto second = HttpService::start(taken, board);
    ASSERT_FALSE(second);
    EXPECT_EQ(second.error().message,
              "cannot serve on 127.0.0.1:" + std::to_string(taken.port) + ": Address already in use");
}

} // namespace
