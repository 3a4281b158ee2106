// Joining words into a command-line text and splitting it again.
//
// Input: the words, separated by LF. The same bytes are also split as a
// command-line text of their own and parsed as the program's arguments.

#include "FuzzSupport.h"
#include "models/CommandLine.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool needsQuotes(const std::string& word) {
    return word.empty() || word.find_first_of(" \t") != std::string::npos;
}

std::string shownWords(const std::vector<std::string>& words) {
    std::string text = "[";
    for (const auto& word : words)
        text += (text.size() > 1 ? ", " : "") + fuzzing::shown(word);
    return text + "]";
}

// Every word comes back whole where the rule promises it: when no word holds
// a double quote. Then, if some word needed quotes the text is in the quoted
// form, whose unquoted words are ignored; otherwise every word comes back.
void checkRoundTrip(const std::vector<std::string>& words) {
    const std::string text = joinCommandLine(words);
    const CommandLineTokens split = splitCommandLine(text);
    if (std::any_of(words.begin(), words.end(),
                    [](const std::string& w) { return w.find('"') != std::string::npos; }))
        return;
    std::vector<std::string> expected;
    const bool quoted = std::any_of(words.begin(), words.end(), needsQuotes);
    for (const auto& word : words)
        if (!quoted || needsQuotes(word))
            expected.push_back(word);
    FUZZ_EXPECT(split.tokens == expected, shownWords(words) + " joined as " + fuzzing::shown(text) +
                                              " split into " + shownWords(split.tokens));
}

// Any text: the plain form loses nothing (its tokens joined by spaces give the
// text back); the quoted form gives one token per pair of quotes and one for
// an unmatched last quote, each a stretch of the text.
void checkSplit(std::string_view text) {
    const CommandLineTokens split = splitCommandLine(text);
    const auto context = [&] { return fuzzing::shown(text) + " split into " + shownWords(split.tokens); };
    const auto quotes = static_cast<std::size_t>(std::count(text.begin(), text.end(), '"'));
    if (text.empty()) {
        FUZZ_EXPECT(split.tokens.empty(), context());
    } else if (quotes == 0) {
        std::string joined;
        for (std::size_t i = 0; i < split.tokens.size(); ++i)
            joined += (i > 0 ? " " : "") + split.tokens[i];
        FUZZ_EXPECT(joined == text && split.remaining.empty(), context());
    } else {
        FUZZ_EXPECT(split.tokens.size() == (quotes + 1) / 2, context());
        for (const auto& token : split.tokens)
            FUZZ_EXPECT(token.find('"') == std::string::npos && text.find(token) != std::string_view::npos,
                        context());
        FUZZ_EXPECT(text.ends_with(split.remaining),
                    context() + ", remaining " + fuzzing::shown(split.remaining));
    }
}

// Arguments without options come through as words, in order; after "--"
// everything is a word.
void checkArguments(const std::vector<std::string>& arguments) {
    const auto parsed = parseProgramArguments(arguments);
    const auto firstOption = std::find_if(arguments.begin(), arguments.end(),
                                          [](const std::string& a) { return a.starts_with("--"); });
    if (firstOption == arguments.end() || *firstOption == "--") {
        std::vector<std::string> words(arguments.begin(), firstOption);
        if (firstOption != arguments.end())
            words.insert(words.end(), firstOption + 1, arguments.end());
        FUZZ_EXPECT(parsed && parsed->words == words && !parsed->help && parsed->encoding.empty(),
                    shownWords(arguments) + " parsed into " +
                        (parsed ? shownWords(parsed->words) : "the error " + parsed.error().message));
    }
    if (parsed)
        FUZZ_EXPECT(parsed->words.size() <= arguments.size(), shownWords(arguments));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> words;
    if (!input.empty()) {
        std::size_t start = 0;
        for (std::size_t end = input.find('\n');; end = input.find('\n', start)) {
            words.emplace_back(
                input.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
    }
    checkRoundTrip(words);
    checkSplit(input);
    checkArguments(words);
    return 0;
}
