#pragma once
// The main window's navigation around the graph: choosing a page of the data
// file, the page-mode switch, and the value shown under the pointer.

#include "core/CoreError.h"

#include <cstdint>
#include <optional>
#include <string>

struct MonitorContext;
struct MonitorState;
class MonitorView;

// The page scroll bar's choice of page `page` (1-based): sets blnRun and
// replays that page alone in page mode, whatever the page-mode switch shows.
// Returns RePlayData's result; its labels show how it ended. A stop (blnRun cleared while events run) ends
// it like any replay; a page chosen while another replay runs starts a
// replay of its own inside it, as any replay does.
Result<bool> replayPage(MonitorContext& context, std::int32_t page);

// The page-mode switch "Replay:頁単位で移動" changed: unchecked disables the page
// scroll bar; checked enables it only when the data file has lines and the
// pages have a size (lngFileLines > 0 and lngRange > 0), and otherwise leaves
// it as it is.
void pageModeSwitched(const MonitorState& state, MonitorView& view);

// Mouse buttons as the pointer handlers see them.
enum PointerButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The graph's tool tip for the pointer at `y` on the chart's 0..100 vertical
// scale (0 at the top) with the buttons `buttonMask` held: the row
// i = y rounded half to even, and dblScaleVal(i) as decimal text when the
// table is filled (intScaleCnt > 0) and 0 <= i < 100. Nothing, so the tip
// stays as it was, for the right button held alone, for a row outside
// 0..99 or beyond the table, and for an empty table.
std::optional<std::string> pointerValueTip(const MonitorState& state, int buttonMask, double y);
