#include "base/Error.h"

#include <cerrno>
#include <exception>
#include <new>
#include <system_error>

// errno values stay below the program's own codes on every system we build for.
static_assert(EHWPOISON < kOwnErrorCodes);

Error systemError(int errnoValue) {
    return Error(errnoValue, std::system_category().message(errnoValue));
}

Error aboutFile(Error error, const std::string& file) {
    error.message = file + ": " + error.message;
    error.file = file;
    return error;
}

Error refusedSetting(std::string message, SettingField field) {
    Error error(kErrInvalidValue, std::move(message));
    error.field = field;
    return error;
}

Error currentFailure() {
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

std::string fileErrorMessage(const Error& error) {
    if (error.code == kErrFileMissing) {
        std::string message = error.file;
        message += kCrLf;
        message += error.message;
        return message;
    }
    std::string message = "Error: (" + std::to_string(error.code) + ") ";
    message += kCrLf;
    message += error.message;
    return message;
}

std::string runErrorMessage(const Error& error) {
    return "Error (" + std::to_string(error.code) + ") :" + error.message;
}

std::string tickErrorMessage(const Error& error) {
    return "Error : " + std::to_string(error.code) + " " + error.message;
}

std::string replayErrorText(const Error& error) {
    return "Error : " + error.message;
}

std::string resizeErrorMessage(const Error& error) {
    return "Error: " + std::to_string(error.code) + ", " + error.message;
}
