#pragma once
// A file of our own in the system's temporary folder, for texts that go
// through a file on their way to a window.

#include "base/Result.h"

#include <string>
#include <string_view>

class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile(); // removes the file
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates a uniquely named file, "trendola-" + a unique part + `suffix`,
    // in the system's temporary folder and writes `bytes` into it. No file of
    // another's is ever opened or replaced. An error when the file cannot be
    // made or written completely; nothing is left behind then.
    Result<> create(std::string_view suffix, std::string_view bytes);

    // The file's path; empty before a successful create.
    const std::string& path() const { return m_path; }

    // Removes the file now; nothing when there is none.
    void remove();

private:
    std::string m_path;
};
