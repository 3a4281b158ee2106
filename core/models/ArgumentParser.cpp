#include "models/ArgumentParser.h"

#include <algorithm>

namespace {

const OptionSpec* findSpec(const std::vector<OptionSpec>& specs, std::string_view name) {
    const auto found = std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& spec) {
        return spec.name == name || (!spec.shortName.empty() && spec.shortName == name);
    });
    return found == specs.end() ? nullptr : &*found;
}

bool looksLikeOption(std::string_view argument, bool shortNames) {
    if (argument.starts_with("--"))
        return true;
    return shortNames && argument.size() > 1 && argument.front() == '-';
}

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& arguments,
                               const std::vector<OptionSpec>& specs) {
    const bool shortNames = std::any_of(specs.begin(), specs.end(),
                                        [](const OptionSpec& spec) { return !spec.shortName.empty(); });
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
        const OptionSpec* spec = findSpec(specs, name);
        if (!spec || (equals != std::string::npos && !spec->takesValue)) {
            parsed.error = ArgumentError{ArgumentError::UnknownOption, argument};
            break;
        }
        ParsedOption option{spec->name, {}};
        bool valueGiven = true;
        if (equals != std::string::npos)
            option.value = argument.substr(equals + 1);
        else if (spec->takesValue && i + 1 < arguments.size())
            option.value = arguments[++i];
        else
            valueGiven = false;
        if (spec->takesValue && (!valueGiven || (option.value.empty() && !spec->emptyValueAllowed))) {
            parsed.error = ArgumentError{ArgumentError::MissingValue, argument};
            break;
        }
        parsed.options.push_back(std::move(option));
    }
    return parsed;
}
