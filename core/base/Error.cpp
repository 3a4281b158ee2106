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
    if (error.file == file)
        return error;
    error.message = file + ": " + error.message;
    error.file = file;
    return error;
}

Error refusedSetting(std::string message, SettingField field) {
    Error error(kErrInvalidValue, std::move(message));
    error.field = field;
    return error;
}

namespace {

// The system's reasons the windows show in Japanese.
struct JapaneseReason {
    int errnoValue;
    const char* text;
};
constexpr JapaneseReason kJapaneseReasons[] = {
    {ENOENT, "ファイルまたはフォルダがありません"},
    {EACCES, "アクセスが許可されていません"},
    {EISDIR, "フォルダです"},
    {ENOSPC, "ディスクに空きがありません"},
    {EROFS, "読み取り専用のファイルシステムです"},
    {ENOTDIR, "フォルダではありません"},
    {EEXIST, "同じ名前のファイルがあります"},
    {ELOOP, "シンボリックリンクが多すぎます"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {EMFILE, "開いているファイルが多すぎます"},
};

} // namespace

std::string withJapaneseReasons(std::string text) {
    for (const JapaneseReason& reason : kJapaneseReasons) {
        const std::string english = std::system_category().message(reason.errnoValue);
        for (auto at = text.find(english); at != std::string::npos; at = text.find(english, at + 1))
            text.replace(at, english.size(), reason.text);
    }
    return text;
}

Error currentFailure() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return {kErrOutOfMemory, "メモリが足りません。"};
    } catch (const std::exception& e) {
        return {kErrInvalidValue, e.what()};
    } catch (...) {
        return {kErrInvalidValue, "原因の分からないエラーです。"};
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
