#pragma once
// A private temporary folder for a test's fixture files, removed afterwards.

#include <string>
#include <string_view>

// "1\n2\n...count\n": a data file of `count` numbered lines.
std::string numberedLines(int count);
// The bytes of a file; empty when it cannot be read.
std::string readFile(const std::string& path);

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }
    // Writes (replacing) or appends bytes; returns the file's path.
    std::string write(std::string_view name, std::string_view bytes) const;
    std::string append(std::string_view name, std::string_view bytes) const;

private:
    std::string m_path;
};
