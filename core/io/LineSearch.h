#pragma once
// Searching backward from a line for the newest line a test accepts, within
// a bounded stretch, so that a tick costs at most that stretch however far
// back the line lies.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The most a backward search reads.
inline constexpr std::uint64_t kMaxLineSearchBytes = 1 << 20;

using LineTest = std::function<bool(std::string_view line)>;

// The complete lines of `block`, which ends just after a line end, handed to
// `accept` newest first without their line ends (LF, CR LF or a lone CR)
// until it returns true. When the block does not start at a line start
// (`atLineStart` false), its first line is only part of one and is left
// out. True when a line was accepted.
bool searchBlockBackward(std::string_view block, bool atLineStart, const LineTest& accept);

// The newest complete line of the file that ends before offset `before`
// (the start of a line) and starts at most `maxBytes` before it, for which
// `accept` returns true. A UTF-8 byte-order mark is no part of the first
// line. False when no line there is accepted, and also when the file cannot
// be read or has become shorter meanwhile: the next search starts afresh.
bool searchLinesBackward(const std::string& path, std::uint64_t before, std::uint64_t maxBytes,
                         const LineTest& accept);
