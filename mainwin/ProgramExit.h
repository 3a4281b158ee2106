#pragma once
// The one way the program ends. Closing the main window or choosing
// "終了(&Q&ｺ)" ends the process at once, also from inside a long operation
// that runs nested event loops, so nothing unwinds: whatever must not be left
// behind (temporary files) registers a cleanup step here.

#include <functional>

// Adds a step to run when the program ends. Steps run in the order added;
// one that throws does not keep the others or the exit from running.
void addExitCleanup(std::function<void()> step);

// Runs the cleanup steps, flushes the standard streams and ends the process
// with `exitCode` at once, without closing windows or running destructors.
// Called again from a cleanup step, it exits without running the rest.
[[noreturn]] void endProgram(int exitCode);
