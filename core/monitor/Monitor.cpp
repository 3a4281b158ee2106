#include "monitor/Monitor.h"

#include <filesystem>

namespace {

bool folderExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_directory(path, error);
}

constexpr int kDefaultPointsPerView = 500;

} // namespace

Monitor::Monitor() : m_samples(kDefaultPointsPerView + 1, kDefaultPointsPerView) {}

ApplyOutcome Monitor::apply(PreparedSettings prepared) {
    MonitorSettings& s = prepared.settings;
    m_settings.dataFile = s.dataFile;
    m_dataFileLineCount = prepared.dataFileLineCount;
    if (prepared.scan)
        m_lastLineReader.continueFrom(s.dataFile, *prepared.scan);
    m_scale.requestRescale();
    m_settings.scaleTop = s.scaleTop;
    m_settings.scaleBottom = s.scaleBottom;
    m_scale.setEnds(s.scaleTop, s.scaleBottom);
    m_settings.pageSize = s.pageSize;
    m_settings.pointsPerView = s.pointsPerView;
    m_samples.setPointsPerView(s.pointsPerView);
    m_samples.adopt(std::move(prepared.ring));
    m_settings.thresholdPercent = s.thresholdPercent;
    m_settings.autoScale = s.autoScale;
    m_settings.fitScale = s.fitScale;
    m_scale.setFitted(s.fitScale);

    m_settings.saveSweepImages = s.saveSweepImages;
    if (s.saveSweepImages) {
        m_settings.sweepFolder = s.sweepFolder;
        if (!folderExists(s.sweepFolder))
            return ApplyOutcome::FolderStopped;
        m_settings.sweepImageName = s.sweepImageName;
        m_settings.sweepImageFormat = s.sweepImageFormat;
        m_sweepImageName = s.sweepImageName.value_or(dataFileBaseName(s.dataFile));
    }

    m_settings.delimiterName = s.delimiterName;
    m_settings.skipDelimiterRuns = s.skipDelimiterRuns;
    m_settings.column = s.column;
    m_settings.pattern = s.pattern;
    m_pattern = std::move(prepared.pattern);
    m_settings.pollInterval = s.pollInterval;
    m_settings.replayPause = s.replayPause;
    return ApplyOutcome::Applied;
}

ExtremesNote Monitor::extremesNote(double top) const {
    return ExtremesNote{m_scale.highest(), m_scale.lowest(), top, m_scale.bottom(), m_samples.at(0).value};
}
