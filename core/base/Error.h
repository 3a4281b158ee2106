#pragma once
// The one error form of the program: a code, a message for the user, the
// file it concerns and, where a setting is refused, the setting to fix.
// The core hands errors back in a Result (Result.h) and never throws across
// its boundary; the windows turn them into the user's messages through the
// forms at the end of this file.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

inline constexpr std::string_view kCrLf = "\r\n";

// The settings a refusal can be about, so that the dialog can put the focus
// into the field to fix.
enum class SettingField { Column, PointsPerView, PageSize, ScaleTop, ScaleBottom, Threshold, Pattern };

struct Error {
    Error() = default;
    Error(int code, std::string message, std::string file = {})
        : code(code), message(std::move(message)), file(std::move(file)) {}

    // errno for the system's failures, one of ErrorCode for the program's own.
    int code = 0;
    // What went wrong, in words for the user; it names the file where the
    // user needs to know which (as a filesystem error's text does).
    std::string message;
    // The file the error concerns; empty when none.
    std::string file;
    // The setting that was refused, when one was.
    std::optional<SettingField> field;
};

// The program's own error codes. They start at kOwnErrorCodes, above every
// errno value, so the number in a message tells whose error it is: the
// system's (errno, with its system text) or the program's.
inline constexpr int kOwnErrorCodes = 1000;
enum ErrorCode : int {
    kErrInvalidValue = kOwnErrorCodes + 5,         // a value the operation cannot take
    kErrOverflow = kOwnErrorCodes + 6,             // a number that would not be finite or does not fit
    kErrOutOfMemory = kOwnErrorCodes + 7,          // a buffer could not be allocated
    kErrFileMissing = kOwnErrorCodes + 53,         // no such data file
    kErrFileChanged = kOwnErrorCodes + 62,         // a file became shorter or changed while it was read
    kErrInvalidPicture = kOwnErrorCodes + 481,     // a file that is not a picture that can be loaded
    kErrPrinter = kOwnErrorCodes + 482,            // no printer to print on, or the printer failed
    kErrClipboard = kOwnErrorCodes + 521,          // the clipboard did not take a picture
    kErrNotRegularFile = kOwnErrorCodes + 522,     // a file to write is a named pipe, device or socket
    kErrUnreadableEncoding = kOwnErrorCodes + 523, // a data file in UTF-16 or UTF-32
    kErrInvalidPattern = kOwnErrorCodes + 524,     // a regular expression that does not compile
};

// The error for an errno value, with the system's description of it.
Error systemError(int errnoValue);

// `error` as it concerns `file`: the file is named in front of its message
// ("file: message"), unless the error already concerns that file.
Error aboutFile(Error error, const std::string& file);

// A setting beyond the model's limits: kErrInvalidValue, the message, and
// the field to fix.
Error refusedSetting(std::string message, SettingField field);

// `text` with the system's reason for the common error numbers (a missing
// file, no permission, a full or read-only disk...) in Japanese, as the
// windows show every text, through one table. Other texts stay as they are.
std::string withJapaneseReasons(std::string text);

// The failure being handled, as the user is told of it: out of memory, or an
// exception's own text. Call only inside a catch block.
Error currentFailure();

// --- the forms the user is told of an error in ---

// File reading: "Error: (" code ") " CR LF message. A missing data file is
// told as its path, CR LF and the message.
std::string fileErrorMessage(const Error& error);
// The run buttons: "Error (" code ") :" message.
std::string runErrorMessage(const Error& error);
// The live tick: "Error : " code " " message.
std::string tickErrorMessage(const Error& error);
// The replay's error label: "Error : " message.
std::string replayErrorText(const Error& error);
// The preview window's resizing: "Error: " code ", " message.
std::string resizeErrorMessage(const Error& error);
