#include "render/RenderOptions.h"

#include "models/ArgumentParser.h"
#include "render/WatchOptions.h"

#include "text/FieldExtraction.h"
#include "text/LinePattern.h"
#include "text/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <tuple>

namespace {

// A whole decimal integer within [low, high].
std::optional<std::int64_t> integerIn(const std::string& text, std::int64_t low, std::int64_t high) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || value < low ||
        value > high)
        return std::nullopt;
    return value;
}

// A name the window offers, given in English or as the window shows it.
template <std::size_t N>
std::optional<std::string> windowName(const std::string& name, const std::array<std::string_view, N>& english,
                                      const std::array<std::string_view, N>& shown) {
    for (std::size_t i = 0; i < N; ++i)
        if (name == english[i] || name == shown[i])
            return std::string(shown[i]);
    return std::nullopt;
}

std::optional<std::string> delimiterName(const std::string& name) {
    return windowName<5>(
        name, {"comma", "space", "tab", "colon", "semicolon"},
        {kDelimiterNames[0], kDelimiterNames[1], kDelimiterNames[2], kDelimiterNames[3], kDelimiterNames[4]});
}

std::optional<std::string> seriesColourName(const std::string& name) {
    return windowName<5>(name, {"yellow", "white", "blue", "red", "cyan"},
                         {kSeriesColours[0].name, kSeriesColours[1].name, kSeriesColours[2].name,
                          kSeriesColours[3].name, kSeriesColours[4].name});
}

std::optional<std::pair<int, int>> imageSize(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = integerIn(text.substr(0, x), 1, 20000);
    const auto height = integerIn(text.substr(x + 1), 1, 20000);
    if (!width || !height)
        return std::nullopt;
    return std::pair(static_cast<int>(*width), static_cast<int>(*height));
}

constexpr double kMinScale = 0.25;
constexpr double kMaxScale = 8;
constexpr double kMaxFollowSeconds = 1e9;
// What a raster image can hold.
constexpr double kMaxDevicePixels = 32767;
constexpr double kMaxDevicePixelArea = 400'000'000;

} // namespace

namespace {

const std::vector<OptionDefinition> kOptions = {
    {"--out", "-o", true},         {"--column", "", true},
    {"--delimiter", "", true},     {"--skip-repeated", "", false},
    {"--points", "", true},        {"--page-mode", "", false},
    {"--page-size", "", true},     {"--page", "", true},
    {"--max", "", true},           {"--min", "", true},
    {"--fixed-scale", "", false},  {"--threshold", "", true},
    {"--fit", "", false},          {"--no-grid", "", false},
    {"--no-threshold", "", false}, {"--composite", "", false},
    {"--color", "", true},         {"--sweeps", "", false},
    {"--size", "", true},          {"--format", "", true},
    {"--encoding", "", true},      {"--annotate", "", false},
    {"--scale", "", true},         {"--follow", "", false},
    {"--interval", "", true},      {"--every", "", true},
    {"--for", "", true},           {"--count", "", true},
    {"--help", "", false},         {"--version", "", false},
    {"--match", "", true},         {"--stale-after", "", true},
    {"--alarm-command", "", true}, {"--serve", "", true},
};

// Takes one option into `options`; false when its value cannot be used.
bool take(RenderOptions& options, const ParsedOption& option) {
    MonitorSettings& settings = options.settings;
    const std::string_view name = option.name;
    const std::string& value = option.value;
    const auto number = [&](std::int64_t low, std::int64_t high) { return integerIn(value, low, high); };
    if (const auto watched = takeWatchOption(options, name, value))
        return *watched;
    if (name == "--skip-repeated")
        settings.skipDelimiterRuns = true;
    else if (name == "--page-mode")
        options.pageMode = true;
    else if (name == "--fixed-scale")
        settings.autoScale = false;
    else if (name == "--fit")
        settings.fitScale = true;
    else if (name == "--no-grid")
        options.hideGrid = true;
    else if (name == "--no-threshold")
        options.hideThreshold = true;
    else if (name == "--composite")
        options.composite = true;
    else if (name == "--sweeps")
        settings.saveSweepImages = true;
    else if (name == "--annotate")
        options.annotate = true;
    else if (name == "--follow")
        options.follow = true;
    else if (name == "--help")
        options.help = true;
    else if (name == "--version")
        options.version = true;
    else if (name == "--out")
        options.outDir = value;
    else if (name == "--encoding")
        options.encoding = value;
    else if (name == "--match")
        settings.pattern = value;
    else if (name == "--column") {
        const auto n = number(kMinColumn, kMaxColumn);
        if (!n)
            return false;
        settings.column = static_cast<int>(*n);
    } else if (name == "--delimiter") {
        const auto delimiter = delimiterName(value);
        if (!delimiter)
            return false;
        settings.delimiterName = *delimiter;
    } else if (name == "--points" || name == "--page-size" || name == "--page") {
        const auto n = number(1, kMaxSampleSlots - 1);
        if (!n)
            return false;
        (name == "--points"      ? settings.pointsPerView
         : name == "--page-size" ? settings.pageSize
                                 : options.page) = static_cast<int>(*n);
    } else if (name == "--max" || name == "--min") {
        const auto end = numericValue(value);
        if (!end)
            return false;
        (name == "--max" ? settings.scaleTop : settings.scaleBottom) = *end;
    } else if (name == "--threshold") {
        const auto n = number(0, 100);
        if (!n)
            return false;
        settings.thresholdPercent = static_cast<int>(*n);
    } else if (name == "--color") {
        const auto colour = seriesColourName(value);
        if (!colour)
            return false;
        options.seriesColour = *colour;
    } else if (name == "--size") {
        const auto size = imageSize(value);
        if (!size)
            return false;
        std::tie(options.width, options.height) = *size;
    } else if (name == "--format") {
        if (value != "bmp" && value != "png" && value != "svg")
            return false;
        options.format = value == "png"   ? ImageFormat::Png
                         : value == "svg" ? ImageFormat::Svg
                                          : ImageFormat::Bmp;
    } else if (name == "--scale") {
        const auto factor = numericValue(value);
        if (!factor || *factor < kMinScale || *factor > kMaxScale)
            return false;
        options.scale = *factor;
    } else if (name == "--for") {
        const auto seconds = numericValue(value);
        if (!seconds || *seconds <= 0 || *seconds > kMaxFollowSeconds)
            return false;
        options.forSeconds = *seconds;
    } else if (name == "--interval") {
        const auto ms = number(1, std::numeric_limits<std::int32_t>::max());
        if (!ms)
            return false;
        settings.pollInterval = static_cast<int>(*ms);
    } else if (name == "--every" || name == "--count") {
        const auto n = number(1, std::numeric_limits<std::int64_t>::max());
        if (!n)
            return false;
        (name == "--every" ? options.every : options.count.emplace()) = *n;
    }
    return true;
}

Error optionError(std::string message) {
    return Error(kErrInvalidValue, std::move(message));
}

} // namespace

Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments) {
    const ParsedArguments parsed = parseArguments(arguments, kOptions);
    RenderOptions options;
    std::vector<std::string_view> given; // the options with a value, as given
    bool outGiven = false;
    for (const ParsedOption& option : parsed.options) {
        if (!take(options, option))
            return optionError("invalid value for " + std::string(option.name) + ": " + option.value);
        const bool withValue =
            std::any_of(kOptions.begin(), kOptions.end(), [&](const OptionDefinition& definition) {
                return definition.name == option.name && definition.takesValue;
            });
        if (withValue)
            given.push_back(option.name);
        outGiven = outGiven || option.name == "--out";
    }
    if (parsed.error)
        return optionError(
            (parsed.error->kind == ArgumentError::UnknownOption ? "unknown option: " : "missing value for ") +
            parsed.error->option);
    if (options.help || options.version)
        return options;
    // Options of the other way of running would be silently ignored.
    if (options.settings.saveSweepImages)
        given.push_back("--sweeps");
    const std::vector<std::string_view> otherWay =
        options.follow
            ? std::vector<std::string_view>{"--page", "--sweeps"}
            : std::vector<std::string_view>{"--interval",    "--every",         "--for",  "--count",
                                            "--stale-after", "--alarm-command", "--serve"};
    for (const std::string_view option : otherWay)
        if (std::find(given.begin(), given.end(), option) != given.end())
            return optionError(std::string(option) + (options.follow ? " applies to a replay, not to --follow"
                                                                     : " applies to --follow only"));
    const double deviceWidth = options.width * options.scale;
    const double deviceHeight = options.height * options.scale;
    if (deviceWidth > kMaxDevicePixels || deviceHeight > kMaxDevicePixels ||
        deviceWidth * deviceHeight > kMaxDevicePixelArea)
        return optionError("the picture would be too large: --size times --scale");
    if (options.page > 0)
        options.pageMode = true;
    if (std::find(given.begin(), given.end(), "--match") != given.end()) {
        if (options.settings.pattern.empty())
            return optionError("--match needs a pattern");
        if (auto pattern = LinePattern::compile(options.settings.pattern); !pattern)
            return optionError("invalid pattern for --match: " + pattern.error().message);
    }
    if (!outGiven && !options.serve) // served from memory only
        return optionError("the output folder is required: -o DIR");
    if (parsed.words.size() != 1)
        return optionError(parsed.words.empty() ? "no data file given" : "more than one data file given");
    options.settings.dataFile = parsed.words.front();
    // Standard input is read once, to its end: there are no pages to count
    // in advance, and no sweeps to go back over.
    if (readsStandardInput(options) && (options.pageMode || options.settings.saveSweepImages))
        return optionError(std::string(options.pageMode ? "--page-mode and --page" : "--sweeps") +
                           " need a data file: standard input (-) cannot be paged");
    return options;
}

std::string renderUsage() {
    return R"(Usage: trendola-render [options] DATA-FILE

Replays DATA-FILE the way the RePlay button does and writes the chart as
pictures into the output folder, then prints a summary on standard output.
A DATA-FILE of - reads standard input (the pictures are named stdin.*).

  -o, --out DIR          folder for the pictures (must exist; required
                         unless --serve is given)
  --column N             field to graph, 1..1000 (default 1)
  --delimiter NAME       comma, space, tab, colon, semicolon, or カンマ, スペース,
                         タブ, コロン, セミコロン (default comma)
  --skip-repeated        a run of delimiters counts as one
  --points N             points across in normal mode, at least 1 (default 500)
  --page-mode            replay page by page
  --page-size N          points per page, at least 1 (default 5000)
  --page N               replay only page N (implies --page-mode)
  --max V, --min V       scale ends (default 0 and 0)
  --fixed-scale          keep the scale ends instead of following the data
  --fit                  fit the scale to the data instead of reaching to 0:
                         the ends start from the first value, on round steps
  --threshold PCT        threshold line height, 0..100 (default 80)
  --no-grid              no auxiliary lines
  --no-threshold         no threshold line
  --composite            draw pages over each other
  --color C              series colour: yellow, white, blue, red or cyan, or
                         黄, 白, 青, 赤, 水 (default yellow)
  --sweeps               save a picture at every sweep or page
  --size WxH             graph size in pixels (default 577x145)
  --scale F              device pixel ratio, 0.25..8: F times the pixels for
                         the same picture, as on a high-density screen (default 1)
  --format bmp|png|svg   picture format (default bmp); svg is a vector picture
  --annotate             the window's labels around the graph: the scale, Max,
                         Now and Min, the points per view and the status line
  --encoding NAME        the data file's encoding (default: the locale's)
  --match REGEX          take the value with a regular expression (PCRE2) in
                         place of --delimiter and --column: its first group, or
                         the whole match; lines it does not match are skipped
  --help                 this text
  --version              the program's version

Following a file that another program appends to, as the New button does:
  --follow               tick at the interval and keep the picture up to date
                         (rewritten whole each time); a file that is truncated,
                         replaced or rotated is followed, a missing one waited for
  --interval MS          between two ticks (default 1000)
  --every N              rewrite the picture after every N-th value (default 1)
  --for SECONDS          stop after this long
  --count N              stop after N values
  --stale-after SECONDS  the data file is stale once its size and last line
                         have not changed this long: the annotated picture
                         says so and the summary gets a stale: line
  --alarm-command CMD    run CMD through /bin/sh -c once per crossing of the
                         threshold (and when the file goes stale or fresh,
                         with --stale-after), one at a time, with
                         TRENDOLA_EVENT (above, below, stale, fresh),
                         TRENDOLA_VALUE, TRENDOLA_THRESHOLD, TRENDOLA_FILE and
                         TRENDOLA_TIME set; its output goes to standard error
  --serve [ADDR:]PORT    serve a live page (/), the chart (/chart.png,
                         /chart.svg), /state.json and Prometheus /metrics over
                         HTTP on 127.0.0.1, or on ADDR (IPv6 in brackets)
                         without any authentication; PORT 0 takes a free one
  With - as DATA-FILE, following ends at the end of the input.
Following ends on Ctrl-C or SIGTERM too; the picture is then written once
more and the summary printed. A second Ctrl-C ends at once.

Exit status: 0 when the replay ran to its end or following was stopped, 1 when
the data file cannot be read, the replay ended on an error or a picture could
not be written, 2 for bad options or a missing folder, 128 + the signal's
number when a replay was interrupted by a signal.
)";
}

bool readsStandardInput(const RenderOptions& options) {
    return options.dataFile() == kStandardInputName;
}

std::string renderNamePart(const RenderOptions& options) {
    if (readsStandardInput(options))
        return "stdin";
    const std::string name = dataFileBaseName(options.dataFile());
    return name.empty() ? "chart" : name;
}

MonitorSettings renderSettings(const RenderOptions& options) {
    MonitorSettings settings = options.settings;
    settings.sweepFolder = options.outDir;
    settings.sweepImageName = renderNamePart(options);
    settings.sweepImageFormat = options.format;
    return settings;
}
