#pragma once
// The chart as a live tick left it, kept apart from the monitor so that it
// can be drawn again later on another thread: the scale, the threshold, the
// samples the series can reach, the view switches, the labels around it and
// the picture's size.

#include "chart/Chart.h"
#include "render/RenderSummary.h"

#include <string>
#include <vector>

class Monitor;
struct RenderOptions;

struct ChartScene {
    int width = 0; // the graph, in logical pixels
    int height = 0;
    double ratio = 1; // device pixel ratio
    double top = 0;
    double bottom = 0;
    int thresholdPercent = 0;
    int pointsPerView = 0;
    int newestSlot = -1;
    bool wrapped = false;
    std::vector<Sample> samples; // the first pointsPerView slots: all a live series reaches
    ChartSwitches switches;
    RenderSummary labels;
};

// The monitor's chart with these switches and labels, at the options' size.
ChartScene captureChartScene(const Monitor& monitor, const ChartSwitches& switches,
                             const RenderSummary& labels, const RenderOptions& options);

// The annotated picture of the scene, as --annotate saves it, in PNG or SVG.
// Needs a QGuiApplication for fonts; safe on any thread.
Result<std::string> encodeChartScene(const ChartScene& scene, ImageFormat format);
