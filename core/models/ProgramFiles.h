#pragma once
// Where the program finds its own files: the documentation the version
// window opens, installed beside the program or in the sources it was built
// from.

#include <string>

// The README for a program started from `programFolder`: the installed one
// (found relative to that folder) when there is one, the source tree's
// otherwise.
std::string documentationFile(const std::string& programFolder);
