#pragma once
// A regular expression that picks the value out of a data line, for files
// whose lines are not fields at one delimiter ("time=0.045 ms", a log that
// mixes data lines with messages). PCRE2 syntax, compiled once with its JIT;
// lines are matched as UTF-8, and bytes that are not UTF-8 never match a
// character but do no harm.

#include "base/Result.h"

#include <memory>
#include <optional>
#include <string_view>

class LinePattern {
public:
    // The compiled pattern; the error (kErrInvalidPattern, field Pattern)
    // gives PCRE2's message and the offset in bytes where it found the fault.
    static Result<LinePattern> compile(std::string_view pattern);

    LinePattern(LinePattern&&) noexcept;
    LinePattern& operator=(LinePattern&&) noexcept;
    ~LinePattern();

    // A match in a line: the value text (the first group when the pattern
    // has groups, the whole match otherwise) and where the match ends.
    struct Match {
        std::string_view value;
        std::size_t end = 0;
    };
    // The first match in the UTF-8 `line`, its views into `line`; nothing when
    // the pattern does not match, when its first group takes no part in the
    // match, or when matching would take unreasonably long.
    std::optional<Match> find(std::string_view line) const;

private:
    struct Compiled;
    explicit LinePattern(std::unique_ptr<Compiled> compiled);
    std::unique_ptr<Compiled> m_compiled;
};
