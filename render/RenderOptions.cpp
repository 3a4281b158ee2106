#include "render/RenderOptions.h"

#include "chart/Chart.h"
#include "text/FieldExtraction.h"
#include "text/NumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <map>
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

std::optional<std::string> delimiterName(const std::string& name) {
    static const std::map<std::string, std::string> english = {{"comma", "カンマ"},
                                                               {"space", "スペース"},
                                                               {"tab", "タブ"},
                                                               {"colon", "コロン"},
                                                               {"semicolon", "セミコロン"}};
    if (const auto found = english.find(name); found != english.end())
        return found->second;
    for (std::string_view japanese : kDelimiterNames)
        if (name == japanese)
            return name;
    return std::nullopt;
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

RenderOptionsResult parseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions options;
    std::vector<std::string> files;
    std::vector<std::string> given; // the options with a value, as given
    bool outGiven = false;
    const auto fail = [](std::string message) {
        return RenderOptionsResult{std::nullopt, std::move(message)};
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            files.insert(files.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                         arguments.end());
            break;
        }
        if (argument.size() < 2 || argument[0] != '-') {
            files.push_back(argument);
            continue;
        }
        // Flags without a value.
        bool* flag = argument == "--skip-repeated"  ? &options.skipRepeated
                     : argument == "--page-mode"    ? &options.pageMode
                     : argument == "--fixed-scale"  ? &options.fixedScale
                     : argument == "--no-grid"      ? &options.noGrid
                     : argument == "--no-threshold" ? &options.noThreshold
                     : argument == "--composite"    ? &options.composite
                     : argument == "--sweeps"       ? &options.sweeps
                     : argument == "--annotate"     ? &options.annotate
                     : argument == "--follow"       ? &options.follow
                     : argument == "--help"         ? &options.help
                                                    : nullptr;
        if (flag) {
            *flag = true;
            continue;
        }
        static const char* const kWithValue[] = {
            "-o",      "--out",      "--column",    "--delimiter", "--points", "--page-size", "--page",
            "--max",   "--min",      "--threshold", "--color",     "--size",   "--format",    "--encoding",
            "--scale", "--interval", "--every",     "--for",       "--count"};
        if (std::find(std::begin(kWithValue), std::end(kWithValue), argument) == std::end(kWithValue))
            return fail("unknown option: " + argument);
        if (i + 1 >= arguments.size())
            return fail("missing value for " + argument);
        const std::string& value = arguments[++i];
        const auto outOfRange = [&] { return fail("invalid value for " + argument + ": " + value); };

        if (argument == "-o" || argument == "--out") {
            options.outDir = value;
            outGiven = true;
        } else if (argument == "--column") {
            const auto n = integerIn(value, 1, 1000);
            if (!n)
                return outOfRange();
            options.column = static_cast<std::int16_t>(*n);
        } else if (argument == "--delimiter") {
            const auto name = delimiterName(value);
            if (!name)
                return outOfRange();
            options.delimiter = *name;
        } else if (argument == "--points" || argument == "--page-size" || argument == "--page") {
            const auto n = integerIn(value, 1, 99'999'999);
            if (!n)
                return outOfRange();
            if (argument == "--points")
                options.points = static_cast<std::int32_t>(*n);
            else if (argument == "--page-size")
                options.pageSize = static_cast<std::int32_t>(*n);
            else
                options.page = static_cast<std::int32_t>(*n);
        } else if (argument == "--max" || argument == "--min") {
            const auto number = numericValue(value);
            if (!number)
                return outOfRange();
            (argument == "--max" ? options.max : options.min) = *number;
        } else if (argument == "--threshold") {
            const auto n = integerIn(value, 0, 100);
            if (!n)
                return outOfRange();
            options.threshold = static_cast<std::int16_t>(*n);
        } else if (argument == "--color") {
            if (std::none_of(std::begin(kSeriesColours), std::end(kSeriesColours),
                             [&](const SeriesColour& entry) { return entry.name == value; }))
                return outOfRange();
            options.colour = value;
        } else if (argument == "--size") {
            const auto size = imageSize(value);
            if (!size)
                return outOfRange();
            std::tie(options.width, options.height) = *size;
        } else if (argument == "--format") {
            if (value != "bmp" && value != "png" && value != "svg")
                return outOfRange();
            options.format = value == "png"   ? ImageFormat::Png
                             : value == "svg" ? ImageFormat::Svg
                                              : ImageFormat::Bmp;
        } else if (argument == "--encoding") {
            options.encoding = value;
        } else if (argument == "--scale") {
            const auto factor = numericValue(value);
            if (!factor || *factor < kMinScale || *factor > kMaxScale)
                return outOfRange();
            options.scale = *factor;
        } else if (argument == "--for") {
            const auto seconds = numericValue(value);
            if (!seconds || *seconds <= 0 || *seconds > kMaxFollowSeconds)
                return outOfRange();
            options.forSeconds = *seconds;
        } else if (argument == "--interval") {
            const auto ms = integerIn(value, 1, std::numeric_limits<std::int32_t>::max());
            if (!ms)
                return outOfRange();
            options.intervalMs = static_cast<std::int32_t>(*ms);
        } else if (argument == "--every" || argument == "--count") {
            const auto n = integerIn(value, 1, std::numeric_limits<std::int64_t>::max());
            if (!n)
                return outOfRange();
            if (argument == "--every")
                options.every = *n;
            else
                options.count = *n;
        }
        given.push_back(argument);
    }
    if (options.help)
        return RenderOptionsResult{options, {}};
    // Options of the other way of running would be silently ignored.
    if (options.sweeps)
        given.push_back("--sweeps");
    const std::vector<std::string_view> otherWay =
        options.follow ? std::vector<std::string_view>{"--page", "--sweeps"}
                       : std::vector<std::string_view>{"--interval", "--every", "--for", "--count"};
    for (const std::string_view option : otherWay)
        if (std::find(given.begin(), given.end(), option) != given.end())
            return fail(std::string(option) + (options.follow ? " applies to a replay, not to --follow"
                                                              : " applies to --follow only"));
    const double deviceWidth = options.width * options.scale;
    const double deviceHeight = options.height * options.scale;
    if (deviceWidth > kMaxDevicePixels || deviceHeight > kMaxDevicePixels ||
        deviceWidth * deviceHeight > kMaxDevicePixelArea)
        return fail("the picture would be too large: --size times --scale");
    if (options.page > 0)
        options.pageMode = true;
    if (!outGiven)
        return fail("the output folder is required: -o DIR");
    if (files.size() != 1)
        return fail(files.empty() ? "no data file given" : "more than one data file given");
    options.dataFile = files.front();
    return RenderOptionsResult{options, {}};
}

std::string renderUsage() {
    return R"(Usage: trendola-render [options] DATA-FILE

Replays DATA-FILE the way the RePlay button does and writes the chart as
pictures into the output folder, then prints a summary on standard output.

  -o, --out DIR          folder for the pictures (required, must exist)
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
  --threshold PCT        threshold line height, 0..100 (default 80)
  --no-grid              no auxiliary lines
  --no-threshold         no threshold line
  --composite            draw pages over each other
  --color C              series colour: 黄, 白, 青, 赤 or 水 (default 黄)
  --sweeps               save a picture at every sweep or page
  --size WxH             graph size in pixels (default 577x145)
  --scale F              device pixel ratio, 0.25..8: F times the pixels for
                         the same picture, as on a high-density screen (default 1)
  --format bmp|png|svg   picture format (default bmp); svg is a vector picture
  --annotate             the window's labels around the graph: the scale, Max,
                         Now and Min, the points per view and the status line
  --encoding NAME        the data file's encoding (default: the locale's)
  --help                 this text

Following a file that another program appends to, as the New button does:
  --follow               tick at the interval and keep the picture up to date
                         (rewritten whole each time); a file that is truncated,
                         replaced or rotated is followed, a missing one waited for
  --interval MS          between two ticks (default 1000)
  --every N              rewrite the picture after every N-th value (default 1)
  --for SECONDS          stop after this long
  --count N              stop after N values
Following ends on Ctrl-C or SIGTERM too; the picture is then written once
more and the summary printed. A second Ctrl-C ends at once.

Exit status: 0 when the replay ran to its end or following was stopped, 1 when
the data file cannot be read, the replay ended on an error or a picture could
not be written, 2 for bad options or a missing folder, 128 + the signal's
number when a replay was interrupted by a signal.
)";
}

std::string renderNamePart(const RenderOptions& options) {
    const std::string title = dataFileTitle(options.dataFile);
    return title.empty() ? "chart" : title;
}

MonitorSettings renderSettings(const RenderOptions& options) {
    MonitorSettings settings;
    settings.dataFile = options.dataFile;
    settings.delimiterName = options.delimiter;
    settings.skipDelimiterRuns = options.skipRepeated;
    settings.column = options.column;
    settings.pointsPerView = options.points;
    settings.xmemText = std::to_string(options.points);
    settings.pageSize = options.pageSize;
    settings.scaleTop = options.max;
    settings.scaleBottom = options.min;
    settings.autoScale = !options.fixedScale;
    settings.thresholdPercent = options.threshold;
    settings.saveSweepImages = options.sweeps;
    settings.sweepFolder = options.outDir;
    if (options.follow)
        settings.pollInterval = options.intervalMs;
    return settings;
}
