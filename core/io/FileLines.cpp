#include "io/FileLines.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

bool dataFileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

Result<> checkDataFile(const std::string& path) {
    struct stat info {};
    if (path.empty())
        return systemError(ENOENT);
    if (::stat(path.c_str(), &info) != 0)
        return systemError(errno);
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? systemError(EISDIR)
                                     : Error(kErrInvalidValue, "通常のファイルではありません。");
    if (::access(path.c_str(), R_OK) != 0)
        return systemError(errno);
    return {};
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

Result<std::int64_t> countFileLines(const std::string& path, FileScan* scanOut,
                                    const ScanProgress& progress) {
    if (auto checked = checkDataFile(path); !checked)
        return checked.error();
    const auto fd = openReadOnly(path);
    if (!fd)
        return fd.error();
    FileScan scan;
    if (auto scanned = continueScan(fd->get(), scan, progress); !scanned)
        return scanned.error();
    const std::int64_t lineCount = scan.tally.lineEnds + 1;
    if (scanOut)
        *scanOut = std::move(scan);
    return lineCount;
}
