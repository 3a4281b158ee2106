// The options that watch following, and the texts the monitoring service
// makes from its state.

#include "render/IsoTime.h"
#include "render/RenderOptions.h"
#include "render/ServiceTexts.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <tuple>

namespace {

Result<RenderOptions> parse(const std::vector<std::string>& arguments) {
    return parseRenderOptions(arguments);
}

TEST(WatchOptions, AreTakenForFollowingOnly) {
    const auto all = parse({"--follow", "--stale-after", "2.5", "--alarm-command",
                            "notify \"$TRENDOLA_EVENT\"", "--serve", "[::1]:8080", "data.csv"});
    ASSERT_TRUE(all) << all.error().message;
    EXPECT_EQ(all->staleAfter, 2.5);
    EXPECT_EQ(all->alarmCommand, "notify \"$TRENDOLA_EVENT\"");
    ASSERT_TRUE(all->serve);
    EXPECT_EQ(std::tuple(all->serve->host, all->serve->port, all->serve->loopback()),
              std::tuple("::1", 8080, true));
    EXPECT_TRUE(all->outDir.empty()) << "--serve needs no output folder";

    const std::tuple<std::vector<std::string>, std::string> refused[] = {
        {{"-o", "/out", "--serve", "8080", "data.csv"}, "--serve applies to --follow only"},
        {{"-o", "/out", "--stale-after", "5", "data.csv"}, "--stale-after applies to --follow only"},
        {{"-o", "/out", "--alarm-command", "true", "data.csv"}, "--alarm-command applies to --follow only"},
        {{"--follow", "--stale-after", "9", "data.csv"}, "the output folder is required: -o DIR"},
        {{"--follow", "--stale-after", "0", "--serve", "1", "d"}, "invalid value for --stale-after: 0"},
        {{"--follow", "--stale-after", "nan", "--serve", "1", "d"}, "invalid value for --stale-after: nan"},
        {{"--follow", "--alarm-command", " ", "--serve", "1", "d"}, "invalid value for --alarm-command:  "},
        {{"--follow", "--serve", "65536", "d"}, "invalid value for --serve: 65536"},
    };
    for (const auto& [arguments, message] : refused) {
        const auto result = parse(arguments);
        ASSERT_FALSE(result) << message;
        EXPECT_EQ(result.error().message, message);
    }
}

TEST(ServeAddress, TakesAPortWithOrWithoutANumericAddress) {
    const std::tuple<const char*, std::optional<std::tuple<std::string, int, bool, std::string>>> cases[] = {
        {"8080", std::tuple("127.0.0.1", 8080, true, "127.0.0.1:8080")},
        {"0", std::tuple("127.0.0.1", 0, true, "127.0.0.1:0")},
        {"127.0.0.1:65535", std::tuple("127.0.0.1", 65535, true, "127.0.0.1:65535")},
        {"127.1.2.3:80", std::tuple("127.1.2.3", 80, true, "127.1.2.3:80")},
        {"[::1]:9000", std::tuple("::1", 9000, true, "[::1]:9000")},
        {"0.0.0.0:80", std::tuple("0.0.0.0", 80, false, "0.0.0.0:80")},
        {"[::]:80", std::tuple("::", 80, false, "[::]:80")},
        {"192.168.1.5:80", std::tuple("192.168.1.5", 80, false, "192.168.1.5:80")},
        {"::1:9000", std::nullopt}, // an IPv6 address needs its brackets
        {"localhost:80", std::nullopt},
        {"[127.0.0.1]:80", std::nullopt},
        {"127.0.0.1:", std::nullopt},
        {"-1", std::nullopt},
        {"80x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        const auto address = parseServeAddress(text);
        ASSERT_EQ(address.has_value(), expected.has_value()) << text;
        if (address) {
            EXPECT_EQ(std::tuple(address->host, address->port, address->loopback(), address->text()),
                      *expected)
                << text;
        }
    }
}

ServiceState sampleState() {
    ServiceState state;
    state.now = 95.5;
    state.highest = 1e300;
    state.lowest = -0.1;
    state.scaleTop = 100;
    state.scaleBottom = -20;
    state.thresholdPercent = 80;
    state.thresholdValue = 76;
    state.aboveThreshold = true;
    state.stale = true;
    state.lastChange = std::chrono::system_clock::time_point(std::chrono::milliseconds(1'700'000'000'250));
    state.lines = 1234;
    state.file = "/var/log/a \"b\"\\c\n.csv";
    state.serial = 7;
    return state;
}

TEST(ServiceTexts, StateAsJson) {
    EXPECT_EQ(stateJson(sampleState()),
              "{\"now\":95.5,\"max\":1e+300,\"min\":-0.1,\"scale_top\":100,\"scale_bottom\":-20,"
              "\"threshold_percent\":80,\"threshold_value\":76,\"above_threshold\":true,\"stale\":true,"
              "\"last_change\":\"2023-11-14T22:13:20Z\",\"lines\":1234,"
              "\"file\":\"/var/log/a \\\"b\\\"\\\\c\\u000a.csv\",\"serial\":7}\n");
    ServiceState before;
    before.file = "d.csv";
    EXPECT_EQ(stateJson(before), "{\"now\":null,\"max\":null,\"min\":null,\"scale_top\":0,\"scale_bottom\":0,"
                                 "\"threshold_percent\":0,\"threshold_value\":null,\"above_threshold\":false,"
                                 "\"stale\":false,\"last_change\":null,\"lines\":null,\"file\":\"d.csv\","
                                 "\"serial\":0}\n");
}

TEST(ServiceTexts, MetricsAsGaugesLabelledWithTheFile) {
    const std::string text = metricsText(sampleState());
    const std::string label = "{file=\"/var/log/a \\\"b\\\"\\\\c\\n.csv\"}";
    const std::tuple<const char*, const char*> samples[] = {
        {"trendola_value", "95.5"},
        {"trendola_max", "1e+300"},
        {"trendola_min", "-0.1"},
        {"trendola_scale_top", "100"},
        {"trendola_scale_bottom", "-20"},
        {"trendola_threshold_value", "76"},
        {"trendola_above_threshold", "1"},
        {"trendola_stale", "1"},
        {"trendola_last_change_timestamp_seconds", "1700000000.25"},
        {"trendola_lines", "1234"},
    };
    for (const auto& [name, value] : samples) {
        EXPECT_NE(text.find(std::string("# TYPE ") + name + " gauge\n"), std::string::npos) << name;
        EXPECT_NE(text.find(std::string("# HELP ") + name + " "), std::string::npos) << name;
        EXPECT_NE(text.find("\n" + std::string(name) + label + " " + value + "\n"), std::string::npos)
            << name << " in\n"
            << text;
    }
    // Before the first value, only what is known has a sample.
    ServiceState before;
    before.file = "d.csv";
    const std::string empty = metricsText(before);
    for (const char* name : {"trendola_value{", "trendola_max{", "trendola_min{", "trendola_threshold_value{",
                             "trendola_last_change_timestamp_seconds{", "trendola_lines{"})
        EXPECT_EQ(empty.find(name), std::string::npos) << name;
    EXPECT_NE(empty.find("\ntrendola_stale{file=\"d.csv\"} 0\n"), std::string::npos) << empty;
}

TEST(ServiceTexts, NumbersReadBackExactly) {
    for (const double value : {0.1, 1.0 / 3, -0.0, 1e-300, std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min()})
        EXPECT_EQ(std::strtod(exactNumberText(value).c_str(), nullptr), value) << exactNumberText(value);
    EXPECT_EQ(isoUtcText(std::chrono::system_clock::time_point(std::chrono::milliseconds(999))),
              "1970-01-01T00:00:00Z");
}

} // namespace
