#pragma once
// The main window's navigation around the graph: choosing a page of the data
// file, the page-mode switch, and the value shown under the pointer.

#include "base/Result.h"

#include <optional>
#include <string>

struct MonitorContext;
class Monitor;
class MonitorView;
class Scale;

// The page scroll bar's choice of page `page` (1-based): starts the run and
// replays that page alone in page mode, whatever the page-mode switch shows.
// Returns the replay's result; its labels show how it ended. A stop ends it
// like any replay; a page chosen while another replay runs starts a replay
// of its own inside it, as any replay does.
Result<bool> replayPage(MonitorContext& context, int page);

// The page-mode switch "Replay:頁単位で移動" changed: unchecked disables the
// page scroll bar; checked enables it only when the data file has lines and
// the pages have a size, and otherwise leaves it as it is.
void pageModeSwitched(const Monitor& monitor, MonitorView& view);

// The mouse buttons held while the pointer moves.
struct PointerButtons {
    bool left = false;
    bool right = false;
    bool middle = false;
};

// The graph's tool tip for the pointer at `y` on the chart's 0..100 vertical
// scale (0 at the top) with `buttons` held: the row i = y rounded half to
// even, and the scale's row value i as decimal text. Nothing, so the tip
// stays as it was, for the right button held alone, for a row outside
// 0..99, and before the row values are built.
std::optional<std::string> pointerValueTip(const Scale& scale, PointerButtons buttons, double y);
