#pragma once
// The command line of trendola-render, which replays a data file the way
// the "Re&Play" button does, or follows it the way the "&New" button does,
// and writes the chart as pictures. The settings it takes are the monitor's
// own, in the one vocabulary the settings dialog applies too.

#include "chart/Chart.h"
#include "monitor/MonitorSettings.h"
#include "render/ServeAddress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RenderOptions {
    // The data file, delimiter, column, points per view and page, scale
    // ends and whether they follow the data, threshold, sweep pictures and
    // poll interval, as the settings dialog applies them.
    MonitorSettings settings;
    std::string outDir;
    // The main window's switches.
    bool pageMode = false;
    int page = 0; // 0: every page in turn
    bool hideGrid = false;
    bool hideThreshold = false;
    bool composite = false;
    std::string seriesColour{kSeriesColours[0].name};
    // The pictures.
    int width = 577;
    int height = 145;
    ImageFormat format = ImageFormat::Bmp;
    bool annotate = false; // the window's labels around the graph
    double scale = 1;      // device pixel ratio of the pictures
    std::string encoding;  // empty: the locale's
    // Following the data file live instead of replaying it.
    bool follow = false;
    std::int64_t every = 1;            // values between two pictures
    std::optional<double> forSeconds;  // stop after this long
    std::optional<std::int64_t> count; // stop after this many values
    // Watching while following (FollowWatch): the stale time in seconds,
    // the alarm command, and where the monitoring service listens.
    std::optional<double> staleAfter;
    std::optional<std::string> alarmCommand;
    std::optional<ServeAddress> serve;
    bool help = false;
    bool version = false;

    const std::string& dataFile() const { return settings.dataFile; }
};

// Reads the arguments after the program name. An option given twice: the
// last one wins. "--" ends the options. The error's message is for standard
// error (the program then exits with status 2).
Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments);

// The --help text.
std::string renderUsage();

// The data file name that stands for standard input.
inline constexpr std::string_view kStandardInputName = "-";
bool readsStandardInput(const RenderOptions& options);

// The name part of the pictures: the data file's, "stdin" for standard
// input, or "chart" when its name gives none.
std::string renderNamePart(const RenderOptions& options);

// The settings as they are applied: the options' own, with the sweep
// pictures named after the data file, in the output folder and format.
MonitorSettings renderSettings(const RenderOptions& options);
