// FileTools.CopyFile: the copy replaces the target whole; a missing source is 53 naming the
// source, a target that cannot be written is 75 naming only the target, with the German reason.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/systools/FileTools.h"
#include "tests/TestFiles.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::systools {
namespace {

namespace fs = std::filesystem;

constexpr int kCopy = 2;

class CopyFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::chmod(dir_.path("").c_str(), 0755);
        fs::create_directory(dir_.path("Vorlagen"));
        fs::create_directory(dir_.path("Ziel"));
        glossel::test::writeBytes(dir_.path("Vorlagen/Vorlage.xls"), template_);
    }

    // As the program joins them: directory, "\", name.
    std::string templatePath() const { return dir_.path("Vorlagen") + "\\Vorlage.xls"; }
    std::string targetIn(const std::string& directory) const {
        return dir_.path(directory) + "\\Texte.xls";
    }

    static void copy(const std::string& source, const std::string& target) {
        FileTools().CopyFile(source, target, kCopy, 0x414, 0);
    }

    glossel::test::TempDir dir_;
    std::vector<std::uint8_t> template_ = std::vector<std::uint8_t>(200'000, 0x5A);
};

TEST_F(CopyFileTest, TheCopyReplacesTheTargetAndLeavesNothingElse) {
    glossel::test::writeBytes(dir_.path("Ziel/Texte.xls"), {1, 2, 3});
    copy(templatePath(), targetIn("Ziel"));
    EXPECT_EQ(glossel::test::readBytes(dir_.path("Ziel/Texte.xls")), template_);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path("Ziel")), {}), 1);
}

TEST_F(CopyFileTest, AMissingSourceIsNamedAsTheSystemWritesIt) {
    try {
        copy(dir_.path("Vorlagen") + "\\Fehlt.xls", targetIn("Ziel"));
        FAIL() << "copied a missing file";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kFileNotFoundError);
        EXPECT_NE(error.description().find("'" + dir_.path("Vorlagen/Fehlt.xls") + "'"),
                  std::string::npos)
            << error.description();
        EXPECT_NE(error.description().find("nicht gefunden"), std::string::npos);
    }
}

TEST_F(CopyFileTest, AMissingTargetDirectoryNamesTheTargetNotTheTemplate) {
    try {
        copy(templatePath(), targetIn("Fehlt"));
        FAIL() << "copied into a missing directory";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), kPathFileAccessError);
        EXPECT_NE(error.description().find("'" + dir_.path("Fehlt/Texte.xls") + "'"),
                  std::string::npos)
            << error.description();
        EXPECT_EQ(error.description().find("Vorlage"), std::string::npos) << error.description();
        EXPECT_NE(error.description().find("Datei oder Verzeichnis nicht gefunden"),
                  std::string::npos)
            << error.description();
    }
}

TEST_F(CopyFileTest, AReadOnlyTargetDirectoryNamesTheTargetNotTheTemplate) {
    ::chmod(dir_.path("Ziel").c_str(), 0555);
    const std::string target = targetIn("Ziel");
    const int result = test::runUnprivileged([&] {
        try {
            copy(templatePath(), target);
            return 1;
        } catch (const Error& error) {
            const std::string& text = error.description();
            if (error.number() != kPathFileAccessError ||
                text.find("'" + dir_.path("Ziel/Texte.xls") + "'") == std::string::npos) {
                return 2;
            }
            if (text.find("Vorlage") != std::string::npos) {
                return 3;
            }
            return text.find("Zugriff verweigert") != std::string::npos ? 0 : 4;
        }
    });
    ::chmod(dir_.path("Ziel").c_str(), 0755);
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(fs::exists(dir_.path("Ziel/Texte.xls")));
}

TEST_F(CopyFileTest, AFileIsNotCopiedOntoItself) {
    fs::create_hard_link(dir_.path("Vorlagen/Vorlage.xls"), dir_.path("Ziel/Texte.xls"));
    EXPECT_THROW(copy(templatePath(), targetIn("Ziel")), Error);
    EXPECT_EQ(glossel::test::readBytes(dir_.path("Vorlagen/Vorlage.xls")), template_);
}

}  // namespace
}  // namespace glossel::systools
