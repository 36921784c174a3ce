// FileTools.FileExists on "\"-joined paths: files count, directories and missing files do not,
// and a path that cannot be looked into is an error rather than a missing file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/Error.h"
#include "platform/systools/SysTools.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::systools {
namespace {

bool fileExists(const std::string& path) {
    return SysTools().FileTools().FileExists(path);
}

std::string backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

class FileExistsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_.path("Anlage"));
        glossel::test::writeBytes(dir_.path("Anlage/Linie1.tvs"), {1});
    }

    glossel::test::TempDir dir_;
};

TEST_F(FileExistsTest, FilesCountWhicheverSeparatorJoinsThePath) {
    EXPECT_TRUE(fileExists(dir_.path("Anlage") + "\\Linie1.tvs"));
    EXPECT_TRUE(fileExists(dir_.path("Anlage/Linie1.tvs")));
    // A path beginning with "\" starts at the root of the file system.
    EXPECT_TRUE(fileExists(backslashed(dir_.path("Anlage/Linie1.tvs"))));
}

TEST_F(FileExistsTest, DirectoriesAndMissingFilesDoNot) {
    EXPECT_FALSE(fileExists(dir_.path("Anlage")));
    EXPECT_FALSE(fileExists(dir_.path("Anlage") + "\\Linie2.tvs"));
    EXPECT_FALSE(fileExists(dir_.path("Anlage") + "\\Linie1.tvs\\Linie1.tvs"));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(dir_.path("Anlage") + std::string("\\Linie1.tvs\0x", 13)));
    EXPECT_FALSE(fileExists(dir_.path(std::string(5000, 'x'))));
}

TEST_F(FileExistsTest, UnreadableDirectoryIsAnError) {
    ::chmod(dir_.path("").c_str(), 0755);
    ::chmod(dir_.path("Anlage").c_str(), 0);
    const std::string path = dir_.path("Anlage") + "\\Linie1.tvs";
    const int result = test::runUnprivileged([&] {
        try {
            return fileExists(path) ? 1 : 2;
        } catch (const Error& error) {
            return error.number() == kPathFileAccessError ? 3 : 4;
        }
    });
    ::chmod(dir_.path("Anlage").c_str(), 0755);
    EXPECT_EQ(result, 3);
}

}  // namespace
}  // namespace glossel::systools
