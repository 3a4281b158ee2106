#pragma once
// The run buttons: "S&Ttop", "Re&Play" and "&New", and "&Init".

struct MonitorContext;

// Stops every run: clears blnRun, raises the three run buttons in index
// order (each one that was down raises its click) and stops the timer.
void StopRun(MonitorContext& context);

// A click of run button `index` (0 S&Ttop, 1 Re&Play, 2 &New), by the user or
// by setting the button from code. Re&Play pressed runs the whole replay
// inside this call; events keep running between its lines.
void runButtonChanged(MonitorContext& context, int index);

// "&Init": scale, Max/Min values and their labels back to 0, an empty buffer
// position and a cleared chart. A run goes on.
void resetChart(MonitorContext& context);
