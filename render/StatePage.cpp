#include "render/StatePage.h"

namespace {

// Addresses are relative, so the page also works behind a proxy that serves
// it under a path of its own. Texts from the data file reach the page only
// through textContent, never as markup.
constexpr std::string_view kPage = R"html(<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Trendola</title>
<style>
:root { color-scheme: light; --blue: #0000ff; --grey: #808080; --red: #d00000; --ok: #1a7f37; }
* { box-sizing: border-box; }
body { margin: 0; font-family: system-ui, "Noto Sans CJK JP", "IPAGothic", sans-serif;
       background: #ececec; color: #202020; }
main { max-width: 760px; margin: 0 auto; padding: 12px; }
h1 { font-size: 1.15rem; margin: 0 0 4px; }
#file { font-size: 0.85rem; color: #505050; word-break: break-all; margin: 0 0 10px; }
.states { display: flex; flex-wrap: wrap; gap: 6px; margin-bottom: 10px; }
.state { border-radius: 999px; padding: 2px 12px; font-size: 0.9rem; color: #fff; background: var(--ok); }
.state.stale { background: var(--grey); }
.state.above { background: var(--red); }
figure { margin: 0 0 12px; background: #fff; border: 1px solid #c8c8c8; padding: 4px; }
#chart { display: block; max-width: 100%; height: auto; min-height: 60px; margin: 0 auto; }
.values { display: grid; grid-template-columns: repeat(auto-fit, minmax(10em, 1fr)); gap: 6px; margin: 0; }
.values div { background: #fff; border: 1px solid #c8c8c8; padding: 6px 10px; }
.values dt { font-size: 0.8rem; color: #505050; }
.values dd { margin: 0; font-size: 1.25rem; color: var(--blue); font-variant-numeric: tabular-nums;
             overflow-wrap: anywhere; }
.values dd.small { font-size: 0.95rem; }
#now.stale { color: var(--grey); }
#now.above { color: var(--red); }
#connection { margin-top: 10px; color: var(--red); }
</style>
</head>
<body>
<main>
<h1>Trendola</h1>
<p id="file">読み込み中…</p>
<div class="states"><span id="fresh" class="state">—</span><span id="alarm" class="state">—</span></div>
<figure><img id="chart" alt="グラフ"></figure>
<dl class="values">
<div><dt>現在値 (Now)</dt><dd id="now">—</dd></div>
<div><dt>最大値 (Max)</dt><dd id="max">—</dd></div>
<div><dt>最小値 (Min)</dt><dd id="min">—</dd></div>
<div><dt>しきい値</dt><dd id="threshold">—</dd></div>
<div><dt>最終更新</dt><dd id="change" class="small">—</dd></div>
<div><dt>行数</dt><dd id="lines">—</dd></div>
</dl>
<p id="connection" hidden>サーバーに接続できません。再接続を待っています…</p>
</main>
<script>
"use strict";
const element = (id) => document.getElementById(id);
const shown = (value) => (value === null || value === undefined ? "—" : String(value));
let serial = null;

function show(state) {
  element("file").textContent = state.file;
  document.title = "Trendola - " + state.file.split("/").pop();
  element("fresh").textContent = state.stale ? "更新停止" : "更新中";
  element("fresh").className = "state" + (state.stale ? " stale" : "");
  element("alarm").textContent = state.above_threshold ? "しきい値超え" : "しきい値以下";
  element("alarm").className = "state" + (state.above_threshold ? " above" : "");
  element("now").textContent = shown(state.now);
  element("now").className = state.above_threshold ? "above" : state.stale ? "stale" : "";
  element("max").textContent = shown(state.max);
  element("min").textContent = shown(state.min);
  element("threshold").textContent = shown(state.threshold_value) + " (" + state.threshold_percent + "%)";
  element("change").textContent =
    state.last_change === null ? "—" : new Date(state.last_change).toLocaleString("ja-JP");
  element("lines").textContent = shown(state.lines);
  if (state.serial !== serial) {
    serial = state.serial;
    // The picture is swapped only once the new one has arrived whole.
    const next = new Image();
    next.onload = () => { element("chart").src = next.src; };
    next.src = "chart.png?serial=" + encodeURIComponent(state.serial);
  }
}

async function poll() {
  try {
    const response = await fetch("state.json", { cache: "no-store" });
    if (!response.ok) throw new Error(String(response.status));
    show(await response.json());
    element("connection").hidden = true;
  } catch (error) {
    element("connection").hidden = false;
  }
  setTimeout(poll, 1000);
}
poll();
</script>
</body>
</html>
)html";

} // namespace

std::string_view statePageHtml() {
    return kPage;
}
