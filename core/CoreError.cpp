#include "core/CoreError.h"

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
