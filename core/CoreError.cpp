#include "core/CoreError.h"

#include <cerrno>
#include <exception>
#include <new>
#include <system_error>

// errno values stay below the program's own numbers on every system we build for.
static_assert(EHWPOISON < kErrOwnNumbers);

CoreError systemError(int errnoValue) {
    return CoreError{errnoValue, std::system_category().message(errnoValue)};
}

CoreError currentFailure() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return {kErrOutOfMemory, "Out of memory"};
    } catch (const std::exception& e) {
        return {kErrInvalidValue, e.what()};
    } catch (...) {
        return {kErrInvalidValue, "Unknown error"};
    }
}

std::string fileErrorMessage(const CoreError& error) {
    if (error.number == kErrFileMissing)
        return error.description;
    std::string message = "Error: (" + std::to_string(error.number) + ") ";
    message += kCrLf;
    message += error.description;
    return message;
}

std::string runErrorMessage(const CoreError& error) {
    return "Error (" + std::to_string(error.number) + ") :" + error.description;
}

std::string tickErrorMessage(const CoreError& error) {
    return "Error : " + std::to_string(error.number) + " " + error.description;
}

std::string replayErrorText(const CoreError& error) {
    return "Error : " + error.description;
}

std::string resizeErrorMessage(const CoreError& error) {
    return "Error: " + std::to_string(error.number) + ", " + error.description;
}
