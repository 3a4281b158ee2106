#include "BenchFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace {

struct BenchDir {
    std::string path;
    BenchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trendola-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path = pattern;
    }
    ~BenchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

BenchDir& benchDir() {
    static BenchDir dir;
    return dir;
}

std::string csvBlock(std::uint64_t bytes) {
    std::string block;
    block.reserve(bytes + 64);
    for (std::uint64_t i = 0; block.size() < bytes; ++i)
        block += std::to_string(i) + "," + std::to_string((i * 7919) % 1000) + ".25,-" +
                 std::to_string(i % 97) + "\n";
    return block;
}

} // namespace

bool largeBenchmarksEnabled() {
    const char* value = std::getenv("TRENDOLA_BENCH_LARGE");
    return value && std::string(value) == "1";
}

const std::string& csvFileOfSize(std::uint64_t bytes) {
    static std::map<std::uint64_t, std::string> made;
    auto& path = made[bytes];
    if (path.empty()) {
        path = benchDir().path + "/data-" + std::to_string(bytes) + ".csv";
        std::ofstream out(path, std::ios::binary);
        const std::string block = csvBlock(1 << 20);
        for (std::uint64_t written = 0; written < bytes; written += block.size())
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    return path;
}

const std::string& csvFileOfLines(std::uint64_t lines) {
    static std::map<std::uint64_t, std::string> made;
    auto& path = made[lines];
    if (path.empty()) {
        path = benchDir().path + "/lines-" + std::to_string(lines) + ".csv";
        std::ofstream out(path, std::ios::binary);
        std::string chunk;
        for (std::uint64_t i = 0; i < lines; ++i) {
            chunk += std::to_string(i) + "," + std::to_string((i * 7919) % 1000) + ".25\n";
            if (chunk.size() > (1 << 20)) {
                out << chunk;
                chunk.clear();
            }
        }
        out << chunk;
    }
    return path;
}

void appendCsv(const std::string& path, std::uint64_t bytes) {
    static const std::string block = csvBlock(bytes);
    std::ofstream(path, std::ios::binary | std::ios::app)
        .write(block.data(), static_cast<std::streamsize>(block.size()));
}
