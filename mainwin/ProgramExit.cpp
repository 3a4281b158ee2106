#include "mainwin/ProgramExit.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

std::vector<std::function<void()>>& cleanupSteps() {
    static std::vector<std::function<void()>> steps;
    return steps;
}

bool ending = false;

} // namespace

void addExitCleanup(std::function<void()> step) {
    cleanupSteps().push_back(std::move(step));
}

void endProgram(int exitCode) {
    if (!ending) {
        ending = true;
        for (const auto& step : cleanupSteps()) {
            try {
                step();
            } catch (...) {
                // The process ends regardless; the other steps still run.
            }
        }
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
