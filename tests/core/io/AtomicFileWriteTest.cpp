#include "io/AtomicFileWrite.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// What a save may replace: a regular file, through any symbolic link to it
// (the link stays a link); never a named pipe, device or socket, which is
// refused at once, without waiting for a reader, naming the file.
TEST(WriteFileAtomically, ReplacesOnlyRegularFilesAndWritesThroughLinks) {
    TempDir dir;
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("target.txt", dir.file("link"));
    fs::create_symlink("missing.txt", dir.file("dangling"));
    fs::create_symlink("pipe", dir.file("to-pipe"));
    dir.write("target.txt", "old");
    // The path written, where the bytes end up, the error code when refused.
    const std::tuple<std::string, std::string, int> cases[] = {
        {dir.file("new.txt"), dir.file("new.txt"), 0},
        {dir.file("target.txt"), dir.file("target.txt"), 0},
        {dir.file("link"), dir.file("target.txt"), 0},
        {dir.file("dangling"), dir.file("missing.txt"), 0},
        {fifo, "", kErrNotRegularFile},
        {dir.file("to-pipe"), "", kErrNotRegularFile},
        {"/dev/null", "", kErrNotRegularFile},
        {dir.path(), "", EISDIR},
    };
    for (const auto& [path, written, refusal] : cases) {
        SCOPED_TRACE(path);
        const auto result = writeFileAtomically(path, "new");
        if (refusal == 0) {
            ASSERT_TRUE(result) << result.error().message;
            EXPECT_EQ(readFile(written), "new");
            continue;
        }
        ASSERT_FALSE(result);
        EXPECT_EQ(result.error().code, refusal);
        if (refusal == kErrNotRegularFile) {
            EXPECT_EQ(result.error().message.rfind(path + ": ", 0), 0u) << "names the file";
        }
    }
    EXPECT_TRUE(fs::is_symlink(dir.file("link")));
    EXPECT_TRUE(fs::is_symlink(dir.file("dangling")));
    EXPECT_TRUE(fs::is_fifo(fifo)) << "the pipe stays a pipe";
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    // Nothing half-written is left behind.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_FALSE(entry.path().filename().string().starts_with(".trendola-")) << entry.path();
}

} // namespace
