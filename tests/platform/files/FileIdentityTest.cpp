// identityOf: one identity for every way of naming a file (the path, a hard link, a symbolic link),
// none for a missing file, and an error when the answer cannot be had.
#include "platform/files/FileIdentity.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/Error.h"
#include "tests/TestFiles.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::files {
namespace {

namespace fs = std::filesystem;

TEST(FileIdentity, EveryNameOfAFileHasItsIdentityAndOnlyThose) {
    glossel::test::TempDir dir;
    const std::string project = dir.path("Projekt.tvs");
    glossel::test::writeBytes(project, {1});
    glossel::test::writeBytes(dir.path("Andere.tvs"), {1});
    fs::create_hard_link(project, dir.path("Hart.tvs"));
    fs::create_symlink(project, dir.path("Weich.tvs"));
    fs::create_directory(dir.path("Unter"));

    const auto identity = identityOf(project);
    ASSERT_TRUE(identity);
    EXPECT_EQ(identityOf(dir.path("Hart.tvs")), identity);
    EXPECT_EQ(identityOf(dir.path("Weich.tvs")), identity);
    EXPECT_EQ(identityOf(dir.path("Unter") + "\\..\\Projekt.tvs"), identity);
    EXPECT_NE(identityOf(dir.path("Andere.tvs")), identity);
}

TEST(FileIdentity, NothingThereHasNone) {
    glossel::test::TempDir dir;
    glossel::test::writeBytes(dir.path("Datei"), {1});
    fs::create_symlink(dir.path("Fehlt"), dir.path("Verwaist"));
    EXPECT_EQ(identityOf(dir.path("Fehlt")), std::nullopt);
    EXPECT_EQ(identityOf(dir.path("Datei") + "\\darunter"), std::nullopt);
    EXPECT_EQ(identityOf(dir.path("Verwaist")), std::nullopt);
}

TEST(FileIdentity, AClosedDirectoryOnTheWayIsAnErrorNamingThePath) {
    glossel::test::TempDir dir;
    fs::create_directory(dir.path("Zu"));
    glossel::test::writeBytes(dir.path("Zu/Projekt.tvs"), {1});
    ::chmod(dir.path("").c_str(), 0755);
    ::chmod(dir.path("Zu").c_str(), 0);
    const int result = systools::test::runUnprivileged([&] {
        try {
            return identityOf(dir.path("Zu") + "\\Projekt.tvs") ? 1 : 2;
        } catch (const Error& error) {
            const bool named =
                error.description().find(dir.path("Zu/Projekt.tvs")) != std::string::npos;
            return error.number() == err::kCannotOpen && named ? 0 : 3;
        }
    });
    ::chmod(dir.path("Zu").c_str(), 0755);
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace glossel::files
