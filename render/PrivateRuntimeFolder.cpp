#include "render/PrivateRuntimeFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

PrivateRuntimeFolder::PrivateRuntimeFolder() {
    const char* existing = std::getenv("XDG_RUNTIME_DIR");
    if (existing != nullptr && *existing != '\0')
        return;
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::string pattern = (error ? std::filesystem::path("/tmp") : base) / "trendola-render-XXXXXX";
    // mkdtemp makes it 0700, as a runtime folder must be.
    if (::mkdtemp(pattern.data()) == nullptr)
        return; // Qt then falls back to its own folder, as before
    m_path = pattern;
    ::setenv("XDG_RUNTIME_DIR", m_path.c_str(), 1);
}

PrivateRuntimeFolder::~PrivateRuntimeFolder() {
    if (m_path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
