#pragma once
// Where trendola-render --serve listens: "PORT", "ADDRESS:PORT" or
// "[IPv6-ADDRESS]:PORT", the address written as numbers.

#include <optional>
#include <string>
#include <string_view>

struct ServeAddress {
    std::string host = "127.0.0.1"; // without brackets
    int port = 0;                   // 0: any free port
    // Only this machine can reach it (127.0.0.0/8 or ::1).
    bool loopback() const;
    // As a URL writes it: "127.0.0.1:8080", "[::1]:8080".
    std::string text() const;
};

// Nothing when `text` is none of the forms, names no numeric address or
// gives a port outside 0..65535.
std::optional<ServeAddress> parseServeAddress(std::string_view text);
