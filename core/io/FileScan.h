#pragma once
// Counting a file's line ends with the file opened read-only, and enough
// about what was counted to continue the count later with only the bytes
// appended since, or to see that the file was replaced and must be counted
// afresh.

#include "base/Result.h"
#include "text/LineEnds.h"

#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

// Progress of a long scan: bytes done and the file's size when the scan began.
using ScanProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// A file descriptor that closes itself.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();
    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    int release();

private:
    int m_fd = -1;
};

// Opens a file read-only; the error carries errno.
Result<UniqueFd> openReadOnly(const std::string& path);

// A file opened read-only for reading through, with what the system says of
// it. A folder is refused (EISDIR).
struct OpenFile {
    UniqueFd fd;
    struct stat info {};
};
Result<OpenFile> openFileForReading(const std::string& path);

// What a scan has counted of one file.
struct FileScan {
    dev_t device = 0;
    ino_t inode = 0;
    LineTally tally;
    std::string head; // the first bytes counted, to recognise the same file later
    std::string tail; // the last bytes counted
    // The file's size and modification time once the scan had read it all:
    // a file of that size modified since was rewritten, not appended to.
    std::int64_t sizeAtEnd = -1;
    std::int64_t modifiedAtEndNs = 0;
};

// Counts from tally.scanned to the end of the open file, updating `scan`.
// A fresh scan starts from a default FileScan.
Result<> continueScan(int fd, FileScan& scan, const ScanProgress& progress = {});

// True when the open file still holds what `scan` counted, so counting can go
// on from there: the same file, not shorter, not modified without growing,
// and the same bytes at the start and the end of the counted part. (A rewrite
// that keeps those and grows the file between two calls cannot be told from
// an append without reading everything again.)
bool stillSameFile(int fd, const FileScan& scan);

// Exactly the bytes [offset, offset + size) of the open file; an error when
// they cannot be read, also when the file has become shorter.
Result<std::string> readRange(int fd, std::uint64_t offset, std::uint64_t size);
