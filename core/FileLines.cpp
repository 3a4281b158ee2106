#include "core/FileLines.h"

#include <sys/stat.h>
#include <unistd.h>

bool dataFileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), R_OK) == 0;
}

std::int64_t CountFileLines(const std::string& strFileName, FileScan* scanOut, const ScanProgress& progress) {
    if (!dataFileExists(strFileName))
        return 0;
    CoreError error;
    auto fd = openReadOnly(strFileName, error);
    if (!fd)
        return 0;
    FileScan scan;
    if (!continueScan(fd->get(), scan, error, progress))
        return 0;
    if (scanOut)
        *scanOut = scan;
    return scan.tally.lineEnds + 1;
}
