#pragma once
// The run buttons "S&Ttop", "Re&Play" and "&New", and "&Init".

enum class RunButton;
struct MonitorContext;

// Stops every run: the run flag cleared, the three run buttons raised in
// order (each one that was down raises its toggle) and the timer stopped.
void stopRun(MonitorContext& context);

// Run button `button` went down or up, by the user or by setting the button
// from code. "Re&Play" pressed runs the whole replay inside this call;
// events keep running between its lines. A failure is reported (message
// kind 7) and goes no further.
void runButtonToggled(MonitorContext& context, RunButton button);

// "&Init": the scale, Max/Min values and their labels back to 0, an empty
// ring position and a cleared chart. A run goes on.
void resetChart(MonitorContext& context);
