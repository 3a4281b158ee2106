#include "render/ServiceTexts.h"

#include "render/IsoTime.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

// A JSON string: quotes, backslashes and control characters escaped; the
// rest (UTF-8 or not) as it is, since the data file's name is only bytes.
std::string jsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string jsonNumber(const std::optional<double>& value) {
    return value && std::isfinite(*value) ? exactNumberText(*value) : "null";
}

// A label value: backslash, double quote and line feed escaped.
std::string labelValue(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '"')
            out += "\\\"";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string exactNumberText(double value) {
    std::array<char, 32> text{};
    const auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() ? std::string(text.data(), end) : std::string("0");
}

std::string stateJson(const ServiceState& state) {
    const auto boolean = [](bool value) { return value ? "true" : "false"; };
    std::string json = "{";
    json += "\"now\":" + jsonNumber(state.now);
    json += ",\"max\":" + jsonNumber(state.highest);
    json += ",\"min\":" + jsonNumber(state.lowest);
    json += ",\"scale_top\":" + jsonNumber(state.scaleTop);
    json += ",\"scale_bottom\":" + jsonNumber(state.scaleBottom);
    json += ",\"threshold_percent\":" + std::to_string(state.thresholdPercent);
    json += ",\"threshold_value\":" + jsonNumber(state.thresholdValue);
    json += std::string(",\"above_threshold\":") + boolean(state.aboveThreshold);
    json += std::string(",\"stale\":") + boolean(state.stale);
    json += ",\"last_change\":" + (state.lastChange ? jsonString(isoUtcText(*state.lastChange)) : "null");
    json += ",\"lines\":" + (state.lines ? std::to_string(*state.lines) : "null");
    json += ",\"file\":" + jsonString(state.file);
    json += ",\"serial\":" + std::to_string(state.serial);
    return json + "}\n";
}

std::string metricsText(const ServiceState& state) {
    const std::string labels = "{file=\"" + labelValue(state.file) + "\"}";
    std::string text;
    const auto gauge = [&](const char* name, const char* help, const std::optional<double>& value) {
        text += std::string("# HELP ") + name + " " + help + "\n";
        text += std::string("# TYPE ") + name + " gauge\n";
        if (value && std::isfinite(*value))
            text += name + labels + " " + exactNumberText(*value) + "\n";
    };
    const auto flag = [](bool value) { return std::optional<double>(value ? 1 : 0); };
    gauge("trendola_value", "The newest value taken from the data file.", state.now);
    gauge("trendola_max", "The highest value since the scale was last reset.", state.highest);
    gauge("trendola_min", "The lowest value since the scale was last reset.", state.lowest);
    gauge("trendola_scale_top", "The value at the top edge of the chart.", state.scaleTop);
    gauge("trendola_scale_bottom", "The value at the bottom edge of the chart.", state.scaleBottom);
    gauge("trendola_threshold_value", "The value at the threshold line.", state.thresholdValue);
    gauge("trendola_above_threshold", "1 while the newest value is above the threshold line.",
          flag(state.aboveThreshold));
    gauge("trendola_stale", "1 while the data file has not changed for the stale time.", flag(state.stale));
    std::optional<double> lastChange;
    if (state.lastChange)
        lastChange = unixSeconds(*state.lastChange);
    gauge("trendola_last_change_timestamp_seconds", "When the data file last changed, in seconds since 1970.",
          lastChange);
    std::optional<double> lines;
    if (state.lines)
        lines = static_cast<double>(*state.lines);
    gauge("trendola_lines", "The data file's lines at the last read.", lines);
    return text;
}
