#include "core/CoreError.h"

#include <exception>
#include <new>
#include <system_error>

CoreError systemError(int errnoValue) {
    return CoreError{errnoValue, std::system_category().message(errnoValue)};
}

std::string fileErrorMessage(const CoreError& error) {
    std::string message = "Error: (" + std::to_string(error.number) + ") ";
    message += kCrLf;
    message += error.description;
    return message;
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
