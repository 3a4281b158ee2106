#pragma once
// Separating a program's options from its other words, for both programs:
// each says which options it has and reads their values itself.
//
// An option is "--name", "--name VALUE" or "--name=VALUE", or, where the
// program has short names, "-n" and "-n VALUE". "--" ends the options: every
// later argument is a word, even one that begins with "-". A lone "-" is a
// word.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct OptionDefinition {
    std::string_view name;      // with its dashes: "--column"
    std::string_view shortName; // "-o", or empty
    bool takesValue = false;
    bool emptyValueAllowed = true; // false: an empty value counts as a missing one
};

struct ParsedOption {
    std::string_view name; // the definition's long name, however it was given
    std::string value;
};

// Why the arguments cannot be used from a certain one on: an option the
// program does not have, or one that needs a value and was given none (or an
// empty one where that is not allowed). `option` is the argument as given.
struct ArgumentError {
    enum Kind { UnknownOption, MissingValue } kind;
    std::string option;
};

struct ParsedArguments {
    std::vector<ParsedOption> options; // in the order given
    std::vector<std::string> words;    // everything that is not an option, in order
    // The first argument that could not be taken; the options and words are
    // those before it, so that a program checking their values in order
    // reports whichever problem comes first.
    std::optional<ArgumentError> error;
};

// Splits `arguments` by `definitions`. Without short names among the definitions, only
// words that begin with "--" are options; a word such as "-x" is then a word
// like any other.
ParsedArguments parseArguments(const std::vector<std::string>& arguments,
                               const std::vector<OptionDefinition>& definitions);
