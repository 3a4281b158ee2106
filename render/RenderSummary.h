#pragma once
// The summary trendola-render prints: one line per label of the main window
// that the replay writes, the result, and the pictures written.

#include "base/Colour.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct RenderSummary {
    std::string status;      // the status line
    std::string replayError; // the replay's error label
    bool replayErrorVisible = false;
    std::string pointsPerView; // "表示項目数:" and the points per view
    std::array<std::string, 3> valueLabels;
    std::array<std::string, 5> scaleLabels;
    bool result = false;
    std::vector<std::string> images; // file names, in the order written
    // Watching a live run: what the annotated picture adds to the status
    // line (" (更新なし N秒)"), the Now label's colour when it is not the
    // usual one, and the data file's staleness for a "stale:" line.
    std::string statusNote;
    std::optional<Colour> nowColour;
    std::optional<bool> stale;
};

// A label's text on one line, safe for a terminal: a backslash is written
// "\\", a line break (CR LF, CR or LF) "\n", any other control character but
// the tab "\xHH" (C0 and DEL) or "\u00HH" (C1, as UTF-8).
std::string escapeSummaryText(std::string_view text);

// A message for standard error, safe for a terminal: its line breaks stay
// (as LF), other control characters are escaped as in the summary.
std::string terminalSafeText(std::string_view text);

// The summary's lines, each ended by "\n".
std::string formatSummary(const RenderSummary& summary);
