#include "models/ProgramFiles.h"

#include "base/ProgramVersion.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// An installed copy opens the README installed beside it, wherever the
// installation was put; a program with none beside it (run from the build
// folder) opens the one in its sources.
TEST(DocumentationFile, IsTheInstalledOneWhenThereIsOneBesideTheProgram) {
    TempDir dir;
    const fs::path prefix = fs::path(dir.path()) / "prefix";
    const fs::path bin = prefix / "bin";
    fs::create_directories(bin);
    EXPECT_EQ(documentationFile(bin.string()), kDocumentationPath) << "nothing installed yet";

    const fs::path readme = fs::weakly_canonical(bin / kInstalledDocumentationPath);
    const fs::path withinPrefix = readme.lexically_relative(fs::weakly_canonical(prefix));
    EXPECT_FALSE(withinPrefix.empty() || *withinPrefix.begin() == "..") << readme << " is outside the prefix";
    fs::create_directories(readme.parent_path());
    dir.write(fs::relative(readme, dir.path()).string(), "# Trendola\n");
    EXPECT_EQ(documentationFile(bin.string()), readme.string());

    // A folder named like the README is not documentation.
    fs::remove(readme);
    fs::create_directory(readme);
    EXPECT_EQ(documentationFile(bin.string()), kDocumentationPath);
}

} // namespace
