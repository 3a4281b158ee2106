#include "core/FileLines.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

bool dataFileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

std::string dataFileProblem(const std::string& path) {
    struct stat info {};
    if (path.empty())
        return systemError(ENOENT).description;
    if (::stat(path.c_str(), &info) != 0)
        return systemError(errno).description;
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? systemError(EISDIR).description : "not a regular file";
    if (::access(path.c_str(), R_OK) != 0)
        return systemError(errno).description;
    return "no problem";
}

bool samePath(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

std::int64_t CountFileLines(const std::string& strFileName, FileScan* scanOut, const ScanProgress& progress) {
    if (!dataFileExists(strFileName))
        return 0;
    const auto fd = openReadOnly(strFileName);
    if (!fd)
        return 0;
    FileScan scan;
    if (!continueScan(fd->get(), scan, progress))
        return 0;
    if (scanOut)
        *scanOut = scan;
    return scan.tally.lineEnds + 1;
}
