#pragma once
// What the monitoring service shows, as one tick of following left it: the
// values and states, and the chart. A snapshot never changes once published;
// the service's threads only ever read the latest one, so no request waits
// for a tick nor a tick for a request. Its pictures are encoded when first
// asked for, once, by whichever request asks first: an idle service costs the
// tick nothing beyond copying the chart.

#include "base/Result.h"
#include "render/ChartScene.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

struct ServiceState {
    std::optional<double> now; // the newest value; nothing before the first
    std::optional<double> highest;
    std::optional<double> lowest;
    double scaleTop = 0;
    double scaleBottom = 0;
    int thresholdPercent = 0;
    std::optional<double> thresholdValue; // nothing on a scale without span
    bool aboveThreshold = false;
    bool stale = false;
    std::optional<std::chrono::system_clock::time_point> lastChange;
    std::optional<std::int64_t> lines; // the data file's lines at the last read
    std::string file;
    std::uint64_t serial = 0; // counts the snapshots: a new picture for each
};

class ServiceSnapshot {
public:
    ServiceSnapshot(ServiceState state, ChartScene scene)
        : m_state(std::move(state)), m_scene(std::move(scene)) {}

    const ServiceState& state() const { return m_state; }
    // The annotated chart as PNG or SVG.
    const Result<std::string>& picture(ImageFormat format) const;

private:
    struct Encoded {
        std::once_flag once;
        std::optional<Result<std::string>> bytes;
    };

    ServiceState m_state;
    ChartScene m_scene;
    mutable Encoded m_png;
    mutable Encoded m_svg;
};

// Where the latest snapshot is handed from the following to the service.
class SnapshotBoard {
public:
    void publish(std::shared_ptr<const ServiceSnapshot> snapshot);
    // Nothing before the first publication.
    std::shared_ptr<const ServiceSnapshot> latest() const;

private:
    mutable std::mutex m_mutex; // held only to copy the pointer
    std::shared_ptr<const ServiceSnapshot> m_latest;
};
