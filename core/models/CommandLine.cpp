#include "models/CommandLine.h"

#include "models/ArgumentParser.h"

namespace {

constexpr char kQuote = '"';
constexpr char kSpace = ' ';

CommandLineTokens splitQuoted(std::string_view text) {
    CommandLineTokens result;
    std::string_view rest = text;
    for (auto open = rest.find(kQuote); open != std::string_view::npos; open = rest.find(kQuote)) {
        const auto close = rest.find(kQuote, open + 1);
        if (close == std::string_view::npos) {
            // No closing quote: the rest of the text is the last token, rather
            // than a token of negative length.
            result.tokens.emplace_back(rest.substr(open + 1));
            rest = {};
            break;
        }
        result.tokens.emplace_back(rest.substr(open + 1, close - open - 1));
        rest = rest.substr(close + 1);
    }
    result.remaining = std::string(rest);
    return result;
}

CommandLineTokens splitPlain(std::string_view text) {
    CommandLineTokens result;
    // With a space appended every token, the last one included, ends at a space.
    std::string rest = std::string(text) + kSpace;
    std::string_view view = rest;
    while (!view.empty()) {
        const auto space = view.find(kSpace);
        result.tokens.emplace_back(view.substr(0, space));
        view = view.substr(space + 1);
    }
    return result;
}

bool needsQuotes(const std::string& word) {
    return word.empty() || word.find_first_of(" \t") != std::string::npos;
}

} // namespace

CommandLineTokens splitCommandLine(std::string_view text) {
    if (text.empty())
        return {};
    if (text.find(kQuote) != std::string_view::npos)
        return splitQuoted(text);
    return splitPlain(text);
}

std::string joinCommandLine(const std::vector<std::string>& words) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += kSpace;
        if (needsQuotes(words[i]))
            text += kQuote + words[i] + kQuote;
        else
            text += words[i];
    }
    return text;
}

Result<ProgramArguments> parseProgramArguments(const std::vector<std::string>& arguments) {
    const ParsedArguments parsed = parseArguments(
        arguments, {{"--help", "", false}, {"--version", "", false}, {"--encoding", "", true, false}});
    if (parsed.error) {
        if (parsed.error->kind == ArgumentError::MissingValue)
            return Error(kErrInvalidValue, "--encoding needs an encoding name");
        return Error(kErrInvalidValue, "unknown option: " + parsed.error->option);
    }
    ProgramArguments result;
    result.words = parsed.words;
    for (const ParsedOption& option : parsed.options) {
        // An empty encoding name, which would silently mean the locale's
        // encoding, is refused as a missing one.
        if (option.name == "--help")
            result.help = true;
        else if (option.name == "--version")
            result.version = true;
        else
            result.encoding = option.value;
    }
    return result;
}
