#include "monitor/MonitorSettings.h"

#include "io/FileLines.h"
#include "io/LineReader.h"
#include "text/ValuePicker.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>

Result<> checkScaleEnds(double top, double bottom) {
    if (!std::isfinite(top))
        return refusedSetting("Max値が大きすぎます。正しい値を指定して下さい。", SettingField::ScaleTop);
    if (!std::isfinite(bottom))
        return refusedSetting("Min値が大きすぎます。正しい値を指定して下さい。", SettingField::ScaleBottom);
    return {};
}

Result<> checkPoints(std::int64_t points, SettingField field) {
    if (points >= 1 && points < kMaxSampleSlots)
        return {};
    return refusedSetting("表示項目数(通常)と表示項目数(頁単位)は1から" +
                              std::to_string(kMaxSampleSlots - 1) + "の範囲で指定して下さい。",
                          field);
}

Result<> checkThreshold(std::int64_t percent) {
    if (percent >= 0 && percent <= 100)
        return {};
    return refusedSetting("しきい値(%)には0から100の数値を指定して下さい。", SettingField::Threshold);
}

Result<> checkColumn(std::int64_t column) {
    if (column >= kMinColumn && column <= kMaxColumn)
        return {};
    return refusedSetting("表示する値の番号は1から1000の範囲で指定して下さい。", SettingField::Column);
}

Result<> checkSettings(const MonitorSettings& s) {
    if (auto checked = checkScaleEnds(s.scaleTop, s.scaleBottom); !checked)
        return checked;
    if (auto checked = checkPoints(s.pageSize, SettingField::PageSize); !checked)
        return checked;
    if (auto checked = checkPoints(s.pointsPerView, SettingField::PointsPerView); !checked)
        return checked;
    if (auto checked = checkThreshold(s.thresholdPercent); !checked)
        return checked;
    return checkColumn(s.column);
}

namespace {

// The lines the pattern matches, counted as the file's lines are: one more
// than there are. Nothing when the file cannot be read through.
std::optional<std::int64_t> countMatchingLines(const std::string& path, const LinePattern& pattern,
                                               const TextDecoder& decoder) {
    LineReader reader;
    if (!reader.open(path))
        return std::nullopt;
    ValuePicker picker(FieldRule{}, &pattern, decoder);
    std::int64_t matching = 0;
    std::string_view line;
    while (reader.next(line))
        if (picker.pick(line, 1).found != ValuePicker::Found::NoMatch)
            ++matching;
    if (reader.failed())
        return std::nullopt;
    return matching + 1;
}

} // namespace

Result<PreparedSettings> prepareSettings(MonitorSettings settings, std::optional<std::int64_t> maxPageCount,
                                         const TextDecoder* decoder, LineCount lineCount) {
    if (auto checked = checkSettings(settings); !checked)
        return checked.error();
    PreparedSettings prepared;
    if (!settings.pattern.empty()) {
        auto pattern = LinePattern::compile(settings.pattern);
        if (!pattern)
            return refusedSetting("抽出パターンが正しくありません。" + std::string(kCrLf) +
                                      pattern.error().message,
                                  SettingField::Pattern);
        prepared.pattern = std::move(*pattern);
    }
    prepared.pointsPerViewText = std::to_string(settings.pointsPerView);
    // Counted once: the page count needs it, the monitor keeps it and the
    // last-line reader goes on from its scan. A file that cannot be counted
    // has no lines to page through; reading it reports why.
    FileScan scan;
    if (lineCount == LineCount::Counted) {
        if (const auto lines = countFileLines(settings.dataFile, &scan)) {
            prepared.dataFileLineCount = *lines;
            prepared.scan = std::move(scan);
        }
    }
    // With a pattern only the lines it matches are data lines, and pages are
    // made of them.
    if (prepared.pattern && prepared.scan) {
        static const Utf8Decoder utf8;
        prepared.dataFileLineCount =
            countMatchingLines(settings.dataFile, *prepared.pattern, decoder ? *decoder : utf8).value_or(0);
    }
    prepared.pageCount = prepared.dataFileLineCount / settings.pageSize + 1;
    if (maxPageCount && prepared.pageCount > *maxPageCount)
        return refusedSetting("頁数が" + std::to_string(*maxPageCount) +
                                  "を超えます。表示項目数(頁単位)を大きくして下さい。",
                              SettingField::PageSize);
    // The new ring is allocated before anything changes, so a refusal
    // leaves the old one in place.
    const std::size_t slots =
        static_cast<std::size_t>(std::max(settings.pageSize, settings.pointsPerView)) + 1;
    try {
        prepared.ring.resize(slots);
    } catch (const std::bad_alloc&) {
        return refusedSetting("表示項目数が大きすぎてメモリを確保できません。表示項目数を小さくして下さい。",
                              settings.pageSize > settings.pointsPerView ? SettingField::PageSize
                                                                         : SettingField::PointsPerView);
    }
    prepared.settings = std::move(settings);
    return prepared;
}

std::string dataFileBaseName(std::string_view dataFile) {
#ifdef _WIN32
    constexpr std::string_view kSeparators = "\\/:";
#else
    // "\" and ":" are ordinary characters of a file name here.
    constexpr std::string_view kSeparators = "/";
#endif
    std::string_view name = dataFile;
    if (const auto separator = name.find_last_of(kSeparators); separator != std::string_view::npos)
        name.remove_prefix(separator + 1);
    if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0)
        name = name.substr(0, dot);
    std::string title;
    std::copy_if(name.begin(), name.end(), std::back_inserter(title), [](char c) { return c != '.'; });
    return title;
}
