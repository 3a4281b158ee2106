#pragma once
// The command line of trendola-render, which replays a data file the way the
// RePlay button does, or follows it the way the New button does, and writes
// the chart as pictures.

#include "chart/DrawingSurface.h"
#include "monitor/MonitorSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RenderOptions {
    std::string outDir;
    std::string dataFile;
    std::int16_t column = 1;
    std::string delimiter = "カンマ"; // one of the five names the settings use
    bool skipRepeated = false;
    std::int32_t points = 500;
    bool pageMode = false;
    std::int32_t pageSize = 5000;
    std::int32_t page = 0; // 0: every page in turn
    double max = 0;
    double min = 0;
    bool fixedScale = false;
    std::int16_t threshold = 80;
    bool noGrid = false;
    bool noThreshold = false;
    bool composite = false;
    std::string colour = "黄";
    bool sweeps = false;
    int width = 577;
    int height = 145;
    ImageFormat format = ImageFormat::Bmp;
    std::string encoding;  // empty: the locale's
    bool annotate = false; // the window's labels around the graph
    double scale = 1;      // device pixel ratio of the pictures
    // Following the data file live instead of replaying it.
    bool follow = false;
    std::int32_t intervalMs = 1000;    // between two live ticks
    std::int64_t every = 1;            // values between two pictures
    std::optional<double> forSeconds;  // stop after this long
    std::optional<std::int64_t> count; // stop after this many values
    bool help = false;
};

// The result of reading the command line: options, or a message for
// standard error (the program then exits with status 2).
struct RenderOptionsResult {
    std::optional<RenderOptions> options;
    std::string error;
};

// Reads the arguments after the program name. An option given twice: the
// last one wins. "--" ends the options.
RenderOptionsResult parseRenderOptions(const std::vector<std::string>& arguments);

// The --help text.
std::string renderUsage();

// The options as the settings applying takes them: the data file, delimiter,
// field, points per view and page, scale ends, threshold, sweep pictures
// (saved into the output folder) and, when following, the interval.
MonitorSettings renderSettings(const RenderOptions& options);

// The name part of the pictures: the data file's, or "chart" when its name
// gives none.
std::string renderNamePart(const RenderOptions& options);
