#include "mainwin/ProgramExit.h"

#include <cstdio>
#include <cstdlib>

void endProgram(int exitCode) {
    std::fflush(nullptr);
    std::_Exit(exitCode);
}
