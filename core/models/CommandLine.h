#pragma once
// The program's command line: its options, the joining of the remaining
// words into one command-line text, and the data-file tokens handleCommandLine
// takes from that text.

#include "base/Result.h"

#include <string>
#include <string_view>
#include <vector>

// What handleCommandLine takes from a command-line text.
struct CommandLineTokens {
    // The tokens in order; each one is placed into the dialog's data-file
    // field in turn, so the last one is what the field keeps. Empty tokens
    // count like any other.
    std::vector<std::string> tokens;
    // The text left unconsumed: empty after the plain form, the text behind
    // the last closing quote after the quoted form.
    std::string remaining;
};

// Splits a command-line text into data-file tokens.
// - Empty text: no tokens.
// - Quoted form (the text holds a double quote): every quoted stretch is one
//   token, its blanks kept; text outside quotes is ignored. A quote without
//   its closing partner takes the rest of the text as the last token.
// - Plain form: every space ends a token, so two spaces in a row give an
//   empty token and a trailing space gives an empty last token.
CommandLineTokens splitCommandLine(std::string_view text);

// Joins words into a command-line text, one space between words. A word
// holding a blank (space or tab) or an empty word is put in double quotes, so
// that splitCommandLine gives it back whole. A double quote inside a word has
// no escape in this form and is passed through as it is.
std::string joinCommandLine(const std::vector<std::string>& words);

// The program's own options, taken out of its arguments before the rest are
// joined into the command-line text.
struct ProgramArguments {
    bool help = false;              // --help
    bool version = false;           // --version
    std::string encoding;           // --encoding NAME or --encoding=NAME; empty when not given
    std::vector<std::string> words; // everything that is not an option, in order
};

// Separates options from words. Options begin with "--"; "--" alone ends the
// options, so every later argument is a word even when it begins with "--".
// An error for an unknown option or a missing encoding name.
Result<ProgramArguments> parseProgramArguments(const std::vector<std::string>& arguments);
