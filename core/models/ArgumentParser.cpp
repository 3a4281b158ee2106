#include "models/ArgumentParser.h"

#include <algorithm>

namespace {

const OptionDefinition* findDefinition(const std::vector<OptionDefinition>& definitions,
                                       std::string_view name) {
    const auto found =
        std::find_if(definitions.begin(), definitions.end(), [&](const OptionDefinition& definition) {
            return definition.name == name || (!definition.shortName.empty() && definition.shortName == name);
        });
    return found == definitions.end() ? nullptr : &*found;
}

bool looksLikeOption(std::string_view argument, bool shortNames) {
    if (argument.starts_with("--"))
        return true;
    return shortNames && argument.size() > 1 && argument.front() == '-';
}

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments,
                               const std::vector<OptionDefinition>& definitions) {
    const bool shortNames =
        std::any_of(definitions.begin(), definitions.end(),
                    [](const OptionDefinition& definition) { return !definition.shortName.empty(); });
    ParsedArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            parsed.words.insert(parsed.words.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                arguments.end());
            break;
        }
        if (!looksLikeOption(argument, shortNames)) {
            parsed.words.push_back(argument);
            continue;
        }
        const auto equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
        const std::string_view name = std::string_view(argument).substr(0, equals);
        const OptionDefinition* definition = findDefinition(definitions, name);
        if (!definition || (equals != std::string::npos && !definition->takesValue)) {
            parsed.error = ArgumentError{ArgumentError::UnknownOption, argument};
            break;
        }
        ParsedOption option{definition->name, {}};
        bool valueGiven = true;
        if (equals != std::string::npos)
            option.value = argument.substr(equals + 1);
        else if (definition->takesValue && i + 1 < arguments.size())
            option.value = arguments[++i];
        else
            valueGiven = false;
        if (definition->takesValue &&
            (!valueGiven || (option.value.empty() && !definition->emptyValueAllowed))) {
            parsed.error = ArgumentError{ArgumentError::MissingValue, argument};
            break;
        }
        parsed.options.push_back(std::move(option));
    }
    return parsed;
}
