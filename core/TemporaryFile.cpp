#include "core/TemporaryFile.h"

#include "core/FileScan.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

bool writeFully(int fd, std::string_view bytes, CoreError& error) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = systemError(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

TemporaryFile::~TemporaryFile() {
    remove();
}

void TemporaryFile::remove() {
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    m_path.clear();
}

bool TemporaryFile::create(std::string_view suffix, std::string_view bytes, CoreError& error) {
    remove();
    std::error_code noFolder;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(noFolder);
    if (noFolder) {
        error = CoreError{noFolder.value(), noFolder.message()};
        return false;
    }
    std::string pattern = (folder / "trendola-XXXXXX").string();
    pattern += suffix;
    // mkstemps creates the file exclusively, so no existing file is touched.
    UniqueFd fd(::mkstemps(pattern.data(), static_cast<int>(suffix.size())));
    if (!fd) {
        error = systemError(errno);
        return false;
    }
    m_path = pattern;
    if (!writeFully(fd.get(), bytes, error)) {
        remove();
        return false;
    }
    // A full disk may show only when the file is closed.
    if (::close(fd.release()) != 0) {
        error = systemError(errno);
        remove();
        return false;
    }
    return true;
}
