#include "render/ServeAddress.h"

#include <charconv>

#include <arpa/inet.h>
#include <netinet/in.h>

namespace {

bool isIpv6(const std::string& host) {
    in6_addr address{};
    return ::inet_pton(AF_INET6, host.c_str(), &address) == 1;
}

bool isIpv4(const std::string& host) {
    in_addr address{};
    return ::inet_pton(AF_INET, host.c_str(), &address) == 1;
}

} // namespace

bool ServeAddress::loopback() const {
    in_addr v4{};
    if (::inet_pton(AF_INET, host.c_str(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    return ::inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::string ServeAddress::text() const {
    const std::string shownHost = isIpv6(host) ? "[" + host + "]" : host;
    return shownHost + ":" + std::to_string(port);
}

std::optional<ServeAddress> parseServeAddress(std::string_view text) {
    ServeAddress address;
    std::string_view portText = text;
    if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        std::string_view host = text.substr(0, colon);
        portText = text.substr(colon + 1);
        const bool bracketed = host.size() >= 2 && host.front() == '[' && host.back() == ']';
        if (bracketed)
            host = host.substr(1, host.size() - 2);
        address.host = std::string(host);
        if (bracketed ? !isIpv6(address.host) : !isIpv4(address.host))
            return std::nullopt;
    }
    int port = -1;
    const auto [end, ec] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (portText.empty() || ec != std::errc() || end != portText.data() + portText.size() || port < 0 ||
        port > 65535)
        return std::nullopt;
    address.port = port;
    return address;
}
