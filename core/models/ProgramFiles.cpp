#include "models/ProgramFiles.h"

#include "base/ProgramVersion.h"

#include <filesystem>

std::string documentationFile(const std::string& programFolder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path installed = fs::path(programFolder) / kInstalledDocumentationPath;
    if (fs::is_regular_file(installed, error))
        return fs::weakly_canonical(installed, error).string();
    return std::string(kDocumentationPath);
}
