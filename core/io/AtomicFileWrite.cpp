#include "io/AtomicFileWrite.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// The file a write to `path` ends up in: the target of a symbolic link (of a
// chain of them, one that does not exist yet too) rather than the link itself.
// ELOOP when the chain does not end.
Result<std::string> resolvedTarget(std::string path) {
    constexpr int kMaxLinks = 40; // as the system follows them
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(4096, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0)
            return systemError(errno);
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
    }
    return systemError(ELOOP);
}

// Opens a new, uniquely named file in `folder`; -1 with errno set on failure.
int createTemporary(const std::string& folder, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A short name, so that a target name near the length limit still has room.
        name = folder + "/.trendola-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        // 0666 lets the umask give the permissions any new file would get.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// The temporaries being written, where a signal handler can find them: a
// handler may read a slot only once its name is complete.
struct PendingSlot {
    std::atomic<int> state{0}; // 0 free, 1 being filled, 2 holds a name
    char path[4096 + 64];
};
PendingSlot g_pending[8];
static_assert(std::atomic<int>::is_always_lock_free, "read from signal handlers");

// Registers a temporary for as long as it lives; best effort when every slot
// is taken or the name is too long.
class PendingTemporary {
public:
    explicit PendingTemporary(const std::string& path) {
        if (path.size() >= sizeof g_pending[0].path)
            return;
        for (PendingSlot& slot : g_pending) {
            int expected = 0;
            if (slot.state.compare_exchange_strong(expected, 1)) {
                path.copy(slot.path, path.size());
                slot.path[path.size()] = '\0';
                slot.state.store(2);
                m_slot = &slot;
                return;
            }
        }
    }
    ~PendingTemporary() {
        if (m_slot)
            m_slot->state.store(0);
    }
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

private:
    PendingSlot* m_slot = nullptr;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

Error fail(int errnoValue, const std::string& temporary = {}) {
    if (!temporary.empty())
        ::unlink(temporary.c_str());
    return systemError(errnoValue);
}

} // namespace

Result<> writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return fail(ENOENT);
    const auto resolved = resolvedTarget(path);
    if (!resolved)
        return resolved.error();
    const std::string& target = *resolved;

    // Looked at, never opened: opening a named pipe would wait for its reader.
    struct stat existing {};
    const bool replacing = ::lstat(target.c_str(), &existing) == 0;
    if (replacing) {
        if (S_ISDIR(existing.st_mode))
            return fail(EISDIR);
        // A named pipe, device or socket is no file to replace: renaming over
        // it would take its place in the file system.
        if (!S_ISREG(existing.st_mode))
            return Error(kErrNotRegularFile,
                         path + ": 通常のファイルではない(名前付きパイプ、デバイスなど)ため、保存しません。",
                         path);
        // A rename would replace even a read-only file; honour its protection.
        if (::access(target.c_str(), W_OK) != 0)
            return fail(errno);
    }

    std::string temporary;
    const int fd = createTemporary(folderOf(target), temporary);
    if (fd < 0)
        return fail(errno);
    const PendingTemporary pending(temporary);
    if (replacing)
        ::fchmod(fd, existing.st_mode & 07777); // best effort: the new content is what matters

    if (!writeAll(fd, bytes)) {
        const int saved = errno;
        ::close(fd);
        return fail(saved, temporary);
    }
    if (::close(fd) != 0)
        return fail(errno, temporary);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno, temporary);
    return {};
}

void removeTemporaryFilesInProgress() noexcept {
    for (PendingSlot& slot : g_pending)
        if (slot.state.load() == 2)
            ::unlink(slot.path);
}
