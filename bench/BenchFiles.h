#pragma once
// Data files for benchmarks, generated in a temporary folder at run time and
// removed at exit. Large cases (1 GB and up) run only when
// TRENDOLA_BENCH_LARGE=1, so CI never writes them.

#include <cstdint>
#include <string>

bool largeBenchmarksEnabled();

// A CSV data file of about `bytes` bytes ("<n>,<value>,<value>" lines), made
// once per process and size.
const std::string& csvFileOfSize(std::uint64_t bytes);

// A CSV data file of exactly `lines` lines, made once per process and count.
const std::string& csvFileOfLines(std::uint64_t lines);

// Appends one line-terminated CSV block of about `bytes` bytes.
void appendCsv(const std::string& path, std::uint64_t bytes);
