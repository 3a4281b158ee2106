#pragma once
// The picture saved at every sweep of a replay (every page in page mode)
// while the settings ask for them.

#include "base/Result.h"

#include <string>

class Monitor;
struct MonitorContext;

// The file name of sweep picture `sweep`: the sweep folder, the pictures'
// name, the sweep's number and the format's extension.
std::string sweepImagePath(const Monitor& monitor, int sweep);

// When sweep pictures are on: prints the Max/Min note onto the chart and
// saves it as sweepImagePath(sweep). An error naming the picture when it
// cannot be written, or when its path would be the data file itself.
Result<> saveSweepImage(MonitorContext& context, int sweep);
