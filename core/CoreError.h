#pragma once
// Errors the core hands back to the windows: a number and a description,
// and the one form every fallible operation returns them in.
//
// System failures carry errno and its system text; the program's own
// failures use the small numbered set below.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

inline constexpr std::string_view kCrLf = "\r\n";

struct CoreError {
    int number = 0;
    std::string description;
};

// The program's own error numbers. They start at kErrOwnNumbers, above every
// errno value, so the number in a message tells whose error it is: the
// system's (errno, with its system text) or the program's.
inline constexpr int kErrOwnNumbers = 1000;
enum CoreErrorNumber : int {
    kErrInvalidValue = kErrOwnNumbers + 5,     // a value the operation cannot take
    kErrOverflow = kErrOwnNumbers + 6,         // a number that would not be finite or does not fit
    kErrOutOfMemory = kErrOwnNumbers + 7,      // a buffer could not be allocated
    kErrDivisionByZero = kErrOwnNumbers + 11,  // a scale of zero span where a division needs a span
    kErrFileMissing = kErrOwnNumbers + 53,     // no such data file; the description is the whole message
    kErrFileChanged = kErrOwnNumbers + 62,     // a file became shorter or changed while it was read
    kErrInvalidPicture = kErrOwnNumbers + 481, // a file that is not a picture that can be loaded
    kErrPrinter = kErrOwnNumbers + 482,        // no printer to print on, or the printer failed
    kErrClipboard = kErrOwnNumbers + 521,      // the clipboard did not take a picture
};

// What an operation that can fail gives back: its value, or why it failed.
template <typename T = void, typename E = CoreError> class [[nodiscard]] Result {
public:
    Result(T value) : m_outcome(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_outcome(std::in_place_index<1>, std::move(error)) {}

    explicit operator bool() const { return m_outcome.index() == 0; }
    T& value() { return std::get<0>(m_outcome); }
    const T& value() const { return std::get<0>(m_outcome); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const E& error() const { return std::get<1>(m_outcome); }

private:
    std::variant<T, E> m_outcome;
};

// An operation with nothing to give back but success.
template <typename E> class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    Result(E error) : m_error(std::move(error)) {}

    explicit operator bool() const { return !m_error; }
    const E& error() const { return *m_error; }

private:
    std::optional<E> m_error;
};

// The error for an errno value, with the system's description of it.
CoreError systemError(int errnoValue);

// The failure being handled, as the user is told of it: out of memory, or an
// exception's own text. Call only inside a catch block.
CoreError currentFailure();

// --- the forms the user is told of an error in ---

// File reading: "Error: (" number ") " CR LF description. A missing data file
// is told by its own text alone.
std::string fileErrorMessage(const CoreError& error);
// The run buttons: "Error (" number ") :" description.
std::string runErrorMessage(const CoreError& error);
// The live tick: "Error : " number " " description.
std::string tickErrorMessage(const CoreError& error);
// The replay's error label: "Error : " description.
std::string replayErrorText(const CoreError& error);
// The preview window's resizing: "Error: " number ", " description.
std::string resizeErrorMessage(const CoreError& error);
