// The staged file: hidden and unique beside its target, put in the target's place whole on
// commit with the target's permissions (a new file's otherwise), and gone without a trace when
// not committed or when a step fails.
#include "platform/files/StagedFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/Error.h"
#include "tests/TestFiles.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::files {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> namesIn(const std::string& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

unsigned modeOf(const std::string& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

class StagedFileTest : public ::testing::Test {
protected:
    std::string target() const { return dir_.path("Texte.xls"); }
    std::string directory() const { return fs::path(target()).parent_path().string(); }

    glossel::test::TempDir dir_;
};

TEST_F(StagedFileTest, IsANewHiddenEmptyFileBesideTheTargetWithItsExtension) {
    const StagedFile first(target());
    const StagedFile second(target());
    for (const StagedFile* staged : {&first, &second}) {
        const fs::path path(staged->path());
        EXPECT_EQ(path.parent_path().string(), directory());
        const std::string name = path.filename().string();
        EXPECT_EQ(name.rfind(".Texte-", 0), 0u) << name;
        EXPECT_EQ(name.size(), std::string(".Texte-XXXXXX.xls").size()) << name;
        EXPECT_TRUE(name.ends_with(".xls")) << name;
        EXPECT_TRUE(fs::is_regular_file(path));
        EXPECT_EQ(fs::file_size(path), 0u);
    }
    EXPECT_NE(first.path(), second.path());
    EXPECT_FALSE(fs::exists(target()));
}

TEST_F(StagedFileTest, DroppedWithoutCommitLeavesTheTargetAndNothingElse) {
    glossel::test::writeBytes(target(), {'a', 'l', 't'});
    {
        const StagedFile staged(target());
        glossel::test::writeBytes(staged.path(), {'n', 'e', 'u'});
    }
    EXPECT_EQ(namesIn(directory()), std::vector<std::string>{"Texte.xls"});
    EXPECT_EQ(glossel::test::readBytes(target()), (std::vector<std::uint8_t>{'a', 'l', 't'}));
}

TEST_F(StagedFileTest, CommitPutsTheWrittenFileInPlaceWithTheTargetsPermissions) {
    glossel::test::writeBytes(target(), {'a', 'l', 't'});
    ::chmod(target().c_str(), 0640);
    StagedFile staged(target());
    glossel::test::writeBytes(staged.path(), {'n', 'e', 'u', '!'});
    staged.commit();
    EXPECT_EQ(glossel::test::readBytes(target()), (std::vector<std::uint8_t>{'n', 'e', 'u', '!'}));
    EXPECT_EQ(modeOf(target()), 0640u);
    EXPECT_EQ(namesIn(directory()), std::vector<std::string>{"Texte.xls"});
}

TEST_F(StagedFileTest, ANewTargetGetsTheModeOfANewFileUnderTheUmask) {
    for (const mode_t mask : {mode_t{022}, mode_t{027}}) {
        const mode_t before = ::umask(mask);
        {
            StagedFile staged(target());
            staged.commit();
        }
        ::umask(before);
        EXPECT_EQ(modeOf(target()), 0644u & ~mask) << std::oct << mask;
        fs::remove(target());
    }
}

TEST_F(StagedFileTest, CommitTakesWhateverWasRenamedOverTheStagedPath) {
    StagedFile staged(target());
    const std::string written = dir_.path("written");
    glossel::test::writeBytes(written, {'x'});
    fs::rename(written, staged.path());
    staged.commit();
    EXPECT_EQ(glossel::test::readBytes(target()), std::vector<std::uint8_t>{'x'});
    EXPECT_EQ(namesIn(directory()), std::vector<std::string>{"Texte.xls"});
}

TEST_F(StagedFileTest, ALinkedTargetHasTheFileItPointsToReplaced) {
    fs::create_directory(dir_.path("real"));
    const std::string real = dir_.path("real/Texte.xls");
    glossel::test::writeBytes(real, {'a'});
    fs::create_symlink(real, target());
    StagedFile staged(target());
    EXPECT_EQ(fs::path(staged.path()).parent_path(), fs::path(real).parent_path());
    glossel::test::writeBytes(staged.path(), {'b'});
    staged.commit();
    EXPECT_TRUE(fs::is_symlink(target()));
    EXPECT_EQ(glossel::test::readBytes(real), std::vector<std::uint8_t>{'b'});
}

TEST_F(StagedFileTest, ErrorsNameTheTargetAsTheSystemWritesIt) {
    const std::string missing = dir_.path("Fehlt") + "\\Texte.xls";
    try {
        const StagedFile staged(missing);
        FAIL() << "staged a file in a missing directory";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kCannotOpen);
        EXPECT_NE(error.description().find("'" + dir_.path("Fehlt/Texte.xls") + "'"),
                  std::string::npos)
            << error.description();
        EXPECT_NE(error.description().find("nicht gefunden"), std::string::npos);
    }

    ::chmod(directory().c_str(), 0555);
    const int result = systools::test::runUnprivileged([&] {
        try {
            const StagedFile staged(target());
            return 1;
        } catch (const Error& error) {
            const bool named = error.description().find("'" + target() + "'") != std::string::npos;
            const bool german = error.description().find("Zugriff verweigert") != std::string::npos;
            return named && german ? 0 : 2;
        }
    });
    ::chmod(directory().c_str(), 0755);
    EXPECT_EQ(result, 0);
}

TEST_F(StagedFileTest, AFailedCommitKeepsTheTargetAndRemovesTheStagedFile) {
    fs::create_directory(target());  // a directory cannot be renamed over
    glossel::test::writeBytes(dir_.path("Texte.xls/inhalt"), {'a'});
    {
        StagedFile staged(target());
        try {
            staged.commit();
            FAIL() << "renamed a file over a directory";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), err::kDiskIo);
            EXPECT_NE(error.description().find("'" + target() + "'"), std::string::npos)
                << error.description();
            EXPECT_EQ(error.description().find(".Texte-"), std::string::npos);
        }
    }
    EXPECT_EQ(namesIn(directory()), std::vector<std::string>{"Texte.xls"});
    EXPECT_TRUE(fs::is_directory(target()));
}

}  // namespace
}  // namespace glossel::files
