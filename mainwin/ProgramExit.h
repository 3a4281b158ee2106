#pragma once
// The one way the program ends. Closing the main window or choosing
// "終了(&Q&ｺ)" ends the process at once, also from inside a long operation
// that runs nested event loops, so nothing unwinds. Nothing of ours is left
// on disk to remove; anything that ever is must be removed here.

// Flushes the standard streams and ends the process with `exitCode` at once,
// without closing windows or running destructors.
[[noreturn]] void endProgram(int exitCode);
