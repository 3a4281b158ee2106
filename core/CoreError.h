#pragma once
// Errors the core hands back to the windows: a number and a description.
// System failures carry errno and its system text; the program's own
// failures use the small numbered set below.

#include <string>
#include <string_view>

inline constexpr std::string_view kCrLf = "\r\n";

struct CoreError {
    int number = 0;
    std::string description;
};

// The program's own error numbers, kept clear of errno values.
enum CoreErrorNumber : int {
    kErrInvalidValue = 5,    // a value the operation cannot take
    kErrOverflow = 6,        // a number that would not be finite or does not fit
    kErrOutOfMemory = 7,     // a buffer could not be allocated
    kErrDivisionByZero = 11, // a scale of zero span where a division needs a span
    kErrFileChanged = 1001,  // a file became shorter while it was read

    // The graph image commands.
    kErrInvalidPicture = 481, // a file that is not a picture that can be loaded
    kErrPrinter = 482,        // no printer to print on, or the printer failed
    kErrClipboard = 521,      // the clipboard did not take a picture
};

// The error for an errno value, with the system's description of it.
CoreError systemError(int errnoValue);

// The failure being handled, as the user is told of it: out of memory, or an
// exception's own text. Call only inside a catch block.
CoreError currentFailure();

// The form file reading reports errors in: "Error: (" number ") " CR LF description.
std::string fileErrorMessage(const CoreError& error);
