#pragma once
// Live monitoring: one tick of the acquisition timer reads the data file's
// newest complete line and plots the configured field's value.

struct MonitorContext;

// One tick. Does nothing while an earlier read is unfinished. A tick that
// stores no value leaves the write position where it was, and every tick
// arms the read guard again when it is done. A failed read stops the run and
// shows the reason. True when the tick stored a value.
bool liveTick(MonitorContext& context);
