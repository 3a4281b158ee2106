#include "monitor/SweepImages.h"

#include "chart/Chart.h"
#include "io/FileLines.h"
#include "monitor/Monitor.h"
#include "monitor/MonitorContext.h"

#include <filesystem>

std::string sweepImagePath(const Monitor& monitor, int sweep) {
    const MonitorSettings& settings = monitor.settings();
    const std::string name =
        monitor.sweepImageName() + std::to_string(sweep) + pictureExtension(settings.sweepImageFormat);
    if (settings.sweepFolder.empty())
        return name;
    return (std::filesystem::path(settings.sweepFolder) / name).string();
}

Result<> saveSweepImage(MonitorContext& context, int sweep) {
    const Monitor& monitor = context.monitor;
    if (!monitor.settings().saveSweepImages)
        return {};
    context.chart.printExtremes(monitor.extremesNote(monitor.scale().top()));
    const std::string path = sweepImagePath(monitor, sweep);
    const std::string& dataFile = monitor.settings().dataFile;
    if (!dataFile.empty() && samePath(path, dataFile))
        return Error(kErrInvalidValue, "保存先がデータファイルと同じため保存しません: " + path, path);
    if (auto saved = context.chart.surface().saveImage(path, monitor.settings().sweepImageFormat); !saved)
        return aboutFile(saved.error(), path);
    return {};
}
