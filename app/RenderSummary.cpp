#include "app/RenderSummary.h"

std::string escapeSummaryText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c == '\r' || c == '\n') {
            escaped += "\\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string formatSummary(const RenderSummary& summary) {
    std::string out;
    const auto line = [&](std::string_view key, std::string_view text) {
        out.append(key);
        out += ": ";
        out += escapeSummaryText(text);
        out += '\n';
    };
    line("info", summary.info);
    if (summary.errInfoVisible)
        line("error", summary.errInfo);
    line("head", summary.headInfo);
    line("max", summary.valueLabels[0]);
    line("now", summary.valueLabels[1]);
    line("min", summary.valueLabels[2]);
    std::string scale;
    for (std::size_t i = 0; i < summary.scaleLabels.size(); ++i)
        scale += (i ? " | " : "") + summary.scaleLabels[i];
    line("scale", scale);
    line("result", summary.result ? "true" : "false");
    for (const auto& image : summary.images)
        line("image", image);
    return out;
}
