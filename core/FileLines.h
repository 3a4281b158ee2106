#pragma once
// Whole-file questions about a data file: does it exist, how many lines.

#include "core/FileScan.h"

#include <cstdint>
#include <string>

// A data-file path is taken literally (no wildcards): it exists when it names
// a regular file that we may read.
bool dataFileExists(const std::string& path);

// Why `path` is no data file, in words for the user: the system's reason it
// cannot be found or read, or that it names no regular file.
std::string dataFileProblem(const std::string& path);

// True when both paths name the same file, or would once it exists.
bool samePath(const std::string& a, const std::string& b);

// The line number at the end of the file: its line ends + 1, so an empty
// file counts 1 and three lines each with a line end count 4. 0 when the file
// does not exist or cannot be read. Needs no write access. When `scanOut` is
// given it receives the full count, ready for the last-line reader to continue from.
std::int64_t CountFileLines(const std::string& strFileName, FileScan* scanOut = nullptr,
                            const ScanProgress& progress = {});
