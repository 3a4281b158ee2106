#include "render/WatchOptions.h"

#include "render/RenderOptions.h"
#include "text/NumberText.h"

namespace {

// As long as --for may follow: beyond it the file would never be stale.
constexpr double kMaxStaleSeconds = 1e9;

} // namespace

std::optional<bool> takeWatchOption(RenderOptions& options, std::string_view name, const std::string& value) {
    if (name == "--stale-after") {
        const auto seconds = numericValue(value);
        if (!seconds || *seconds <= 0 || *seconds > kMaxStaleSeconds)
            return false;
        options.staleAfter = *seconds;
        return true;
    }
    if (name == "--alarm-command") {
        if (value.find_first_not_of(" \t") == std::string::npos)
            return false;
        options.alarmCommand = value;
        return true;
    }
    if (name == "--serve") {
        const auto address = parseServeAddress(value);
        if (!address)
            return false;
        options.serve = *address;
        return true;
    }
    return std::nullopt;
}
