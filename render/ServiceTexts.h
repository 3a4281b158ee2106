#pragma once
// The monitoring service's texts made from a snapshot's state: /state.json
// and /metrics (the Prometheus text format, version 0.0.4).

#include "render/ServiceSnapshot.h"

#include <string>

// A finite double in the shortest text that reads back as the same value
// ("0.1", "1e+300"), as JSON and Prometheus both take it.
std::string exactNumberText(double value);

// One JSON object: now, max, min, scale_top, scale_bottom,
// threshold_percent, threshold_value, above_threshold, stale, last_change
// (ISO 8601, UTC), lines, file, and serial (which changes with the
// picture); null where there is no value yet.
std::string stateJson(const ServiceState& state);

// The gauges with their HELP and TYPE lines, each sample labelled with the
// data file; a gauge with no value yet has no sample.
std::string metricsText(const ServiceState& state);
