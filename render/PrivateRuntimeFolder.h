#pragma once
// Qt's runtime folder for a process without XDG_RUNTIME_DIR (a service, a
// cron job, a session over ssh): Qt would make "runtime-USER" in the
// temporary folder and leave it there. This gives the process a private one
// instead, removed with it.

#include <string>

class PrivateRuntimeFolder {
public:
    // Makes the folder and points XDG_RUNTIME_DIR at it when that is unset
    // or empty; otherwise does nothing. Before any Qt application exists.
    PrivateRuntimeFolder();
    // Removes the folder and what Qt left in it.
    ~PrivateRuntimeFolder();
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

    // Empty when the environment already named one.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};
