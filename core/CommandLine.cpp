#include "core/CommandLine.h"

namespace {

constexpr char kQuote = '"';
constexpr char kSpace = ' ';

CommandArgTokens splitQuoted(std::string_view text) {
    CommandArgTokens result;
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

CommandArgTokens splitPlain(std::string_view text) {
    CommandArgTokens result;
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

constexpr std::string_view kEncodingOption = "--encoding";

} // namespace

CommandArgTokens splitCommandArg(std::string_view text) {
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

ProgramArguments parseProgramArguments(const std::vector<std::string>& arguments) {
    ProgramArguments result;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !argument.starts_with("--")) {
            result.words.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            result.help = true;
        } else if (argument == kEncodingOption || argument.starts_with(std::string(kEncodingOption) + "=")) {
            if (argument == kEncodingOption)
                result.encoding = i + 1 < arguments.size() ? arguments[++i] : std::string();
            else
                result.encoding = argument.substr(kEncodingOption.size() + 1);
            // An empty name would silently mean the locale's encoding.
            if (result.encoding.empty()) {
                result.error = "--encoding needs an encoding name";
                return result;
            }
        } else {
            result.error = "unknown option: " + argument;
            return result;
        }
    }
    return result;
}
