#include "text/LinePattern.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <string>

namespace {

// A pattern that backtracks without end must not freeze a tick: past these
// limits a line counts as not matching. Data lines are short, and a sane
// pattern needs a tiny share of them.
constexpr std::uint32_t kMatchLimit = 1'000'000;
constexpr std::size_t kJitStackStart = 32 << 10;
constexpr std::size_t kJitStackMax = 1 << 20;

struct CodeFree {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataFree {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
struct MatchContextFree {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct JitStackFree {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

std::string errorText(int code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    return length < 0 ? "error " + std::to_string(code) : std::string(reinterpret_cast<char*>(buffer));
}

} // namespace

struct LinePattern::Compiled {
    std::unique_ptr<pcre2_code, CodeFree> code;
    std::unique_ptr<pcre2_match_data, MatchDataFree> matchData;
    std::unique_ptr<pcre2_match_context, MatchContextFree> matchContext;
    std::unique_ptr<pcre2_jit_stack, JitStackFree> jitStack;
    bool hasGroup = false;
    bool jit = false; // compiled for the JIT: matched without the interpreter's checks
};

LinePattern::LinePattern(std::unique_ptr<Compiled> compiled) : m_compiled(std::move(compiled)) {}
LinePattern::LinePattern(LinePattern&&) noexcept = default;
LinePattern& LinePattern::operator=(LinePattern&&) noexcept = default;
LinePattern::~LinePattern() = default;

Result<LinePattern> LinePattern::compile(std::string_view pattern) {
    int code = 0;
    PCRE2_SIZE offset = 0;
    auto compiled = std::make_unique<Compiled>();
    compiled->code.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                       PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &code, &offset, nullptr));
    if (!compiled->code) {
        Error error(kErrInvalidPattern, errorText(code) + " (offset " + std::to_string(offset) + ")");
        error.field = SettingField::Pattern;
        return error;
    }
    // Without the JIT (a machine that forbids it) the interpreter matches alike.
    compiled->jit = pcre2_jit_compile(compiled->code.get(), PCRE2_JIT_COMPLETE) == 0;
    std::uint32_t groups = 0;
    pcre2_pattern_info(compiled->code.get(), PCRE2_INFO_CAPTURECOUNT, &groups);
    compiled->hasGroup = groups > 0;
    compiled->matchData.reset(pcre2_match_data_create_from_pattern(compiled->code.get(), nullptr));
    compiled->matchContext.reset(pcre2_match_context_create(nullptr));
    compiled->jitStack.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
    if (!compiled->matchData || !compiled->matchContext || !compiled->jitStack)
        return Error(kErrOutOfMemory, "out of memory");
    pcre2_set_match_limit(compiled->matchContext.get(), kMatchLimit);
    pcre2_jit_stack_assign(compiled->matchContext.get(), nullptr, compiled->jitStack.get());
    return LinePattern(std::move(compiled));
}

std::optional<LinePattern::Match> LinePattern::find(std::string_view line) const {
    Compiled& c = *m_compiled;
    const auto subject = reinterpret_cast<PCRE2_SPTR>(line.data());
    const int found = c.jit ? pcre2_jit_match(c.code.get(), subject, line.size(), 0, 0, c.matchData.get(),
                                              c.matchContext.get())
                            : pcre2_match(c.code.get(), subject, line.size(), 0, 0, c.matchData.get(),
                                          c.matchContext.get());
    if (found < 0)
        return std::nullopt; // no match, or a limit reached
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(c.matchData.get());
    const std::size_t pair = c.hasGroup ? 1 : 0;
    if (c.hasGroup && (found < 2 || ovector[2] == PCRE2_UNSET))
        return std::nullopt;
    const std::size_t begin = ovector[2 * pair];
    const std::size_t end = ovector[2 * pair + 1];
    // \K can put a match's start after its end; such a match has no text.
    const std::string_view value = end >= begin ? line.substr(begin, end - begin) : std::string_view{};
    return Match{value, ovector[1]};
}
