#include "render/RenderSummary.h"

namespace {

// Data files can hold anything; none of it may reach a terminal as a command
// (ESC, BEL, a C1 CSI) or end the output early (NUL). A tab is harmless.
std::string escaped(std::string_view text, bool oneLine) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' && oneLine) {
            out += "\\\\";
        } else if (c == '\r' || c == '\n') {
            out += oneLine ? "\\n" : "\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            const auto code = static_cast<unsigned char>(text[++i]);
            out += "\\u00";
            out += kHex[code >> 4];
            out += kHex[code & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace

std::string escapeSummaryText(std::string_view text) {
    return escaped(text, true);
}

std::string terminalSafeText(std::string_view text) {
    return escaped(text, false);
}

std::string formatSummary(const RenderSummary& summary) {
    std::string out;
    const auto line = [&](std::string_view key, std::string_view text) {
        out.append(key);
        out += ": ";
        out += escapeSummaryText(text);
        out += '\n';
    };
    line("info", summary.status);
    if (summary.replayErrorVisible)
        line("error", summary.replayError);
    line("head", summary.pointsPerView);
    line("max", summary.valueLabels[0]);
    line("now", summary.valueLabels[1]);
    line("min", summary.valueLabels[2]);
    std::string scale;
    for (std::size_t i = 0; i < summary.scaleLabels.size(); ++i)
        scale += (i ? " | " : "") + summary.scaleLabels[i];
    line("scale", scale);
    line("result", summary.result ? "true" : "false");
    if (summary.stale)
        line("stale", *summary.stale ? "true" : "false");
    for (const auto& image : summary.images)
        line("image", image);
    return out;
}
