#pragma once
// The options that watch following (--stale-after, --alarm-command,
// --serve), read apart from the others.

#include <optional>
#include <string>
#include <string_view>

struct RenderOptions;

// Nothing when `name` is none of them; otherwise whether its value could be
// taken into `options`.
std::optional<bool> takeWatchOption(RenderOptions& options, std::string_view name, const std::string& value);
