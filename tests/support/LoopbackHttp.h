#pragma once
// A plain HTTP/1.1 client for the service tests and benchmarks: one request
// per connection to a port on 127.0.0.1, the reply read until the server
// closes. Raw, so that a test can send what no well-behaved client would.

#include <chrono>
#include <optional>
#include <string>

#include <cstdint>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

struct HttpReply {
    int status = 0;
    std::string head; // the status line and the headers
    std::string body;

    // A header's value (names compared without case); empty when absent.
    std::string header(const std::string& name) const {
        std::size_t at = head.find("\r\n");
        while (at != std::string::npos && at + 2 < head.size()) {
            const std::size_t end = head.find("\r\n", at + 2);
            const std::string line = head.substr(at + 2, end - at - 2);
            const std::size_t colon = line.find(':');
            if (colon == name.size() && strncasecmp(line.c_str(), name.c_str(), name.size()) == 0)
                return line.substr(line.find_first_not_of(' ', colon + 1));
            at = end;
        }
        return {};
    }
};

// A connected socket to 127.0.0.1:port; -1 when there is none.
inline int connectLoopback(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket >= 0 && ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return socket;
    if (socket >= 0)
        ::close(socket);
    return -1;
}

// Sends `request` as it is and reads until the server closes or `timeout`
// passes; nothing when no reply came whole.
inline std::optional<HttpReply> exchangeHttp(int port, const std::string& request,
                                             std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const int socket = connectLoopback(port);
    if (socket < 0)
        return std::nullopt;
    const auto end = std::chrono::steady_clock::now() + timeout;
    std::size_t sent = 0;
    while (sent < request.size()) {
        const ssize_t n = ::send(socket, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            break; // the server may answer before it has read everything
        sent += static_cast<std::size_t>(n);
    }
    std::string reply;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        pollfd ready{socket, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            break;
        char block[16384];
        const ssize_t n = ::recv(socket, block, sizeof block, 0);
        if (n <= 0)
            break;
        reply.append(block, static_cast<std::size_t>(n));
    }
    ::close(socket);
    const std::size_t headEnd = reply.find("\r\n\r\n");
    if (!reply.starts_with("HTTP/1.1 ") || headEnd == std::string::npos)
        return std::nullopt;
    HttpReply parsed;
    parsed.status = std::stoi(reply.substr(9, 3));
    parsed.head = reply.substr(0, headEnd + 2);
    parsed.body = reply.substr(headEnd + 4);
    return parsed;
}

inline std::optional<HttpReply> httpGet(int port, const std::string& path,
                                        const std::string& method = "GET") {
    return exchangeHttp(port,
                        method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}
