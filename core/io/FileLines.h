#pragma once
// Whole-file questions about a data file: does it exist, how many lines.

#include "io/FileScan.h"

#include <cstdint>
#include <string>

// A data-file path is taken literally (no wildcards): it exists when it names
// a regular file that we may read.
bool dataFileExists(const std::string& path);

// Nothing when `path` is a data file, otherwise why not, in words for the
// user: the system's reason it cannot be found or read, or that it names no
// regular file.
Result<> checkDataFile(const std::string& path);

// True when both paths name the same file, or would once it exists.
bool samePath(const std::string& a, const std::string& b);

// The line number at the end of the file: its line ends + 1, so an empty
// file counts 1 and three lines each with a line end count 4. Needs no write
// access. An error when the file is no data file or cannot be read. When
// `scanOut` is given it receives the full count, ready for the last-line
// reader to continue from.
Result<std::int64_t> countFileLines(const std::string& path, FileScan* scanOut = nullptr,
                                    const ScanProgress& progress = {});
