#include "io/TemporaryFile.h"

#include "io/FileScan.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

Result<> writeFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return systemError(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
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

Result<> TemporaryFile::create(std::string_view suffix, std::string_view bytes) {
    remove();
    std::error_code noFolder;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(noFolder);
    if (noFolder)
        return Error{noFolder.value(), noFolder.message()};
    std::string pattern = (folder / "trendola-XXXXXX").string();
    pattern += suffix;
    // mkstemps creates the file exclusively, so no existing file is touched.
    UniqueFd fd(::mkstemps(pattern.data(), static_cast<int>(suffix.size())));
    if (!fd)
        return systemError(errno);
    m_path = pattern;
    if (auto written = writeFully(fd.get(), bytes); !written) {
        remove();
        return written;
    }
    // A full disk may show only when the file is closed.
    if (::close(fd.release()) != 0) {
        const Error error = systemError(errno);
        remove();
        return error;
    }
    return {};
}
