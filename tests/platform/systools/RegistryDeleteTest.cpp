// Removing keys from the registry file: everything else stays byte for byte, in either
// encoding; the parent stays; the file is replaced, keeping its permissions and links; without
// rights nothing changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/systools/SysTools.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::systools {
namespace {

const std::string kProjects = "Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects";

bool deleteKey(const std::string& key) {
    return SysTools().RegistryTools().DeleteKey(HKEY_LOCAL_MACHINE, key);
}

// Before and after removing Projects\Linie1: its sections (also one further down, and one of a
// subkey), with the comments inside them and their blank lines, go; the rest stays as it was.
const std::string kBefore =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; Registrierung der Projekte\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Linie1]\r\n"
    "\"ProjectType\"=\"Single\"\r\n"
    "; alter Pfad\r\n"
    "\"Path\"=\"/alt\"\r\n"
    "\r\n"
    "; Linie2 folgt\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Linie2]\n"
    "\"ProjectType\"=\"Server\"\n"
    "\"Path\"=\"/p\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\LINIE1\\Sub]\r\n"
    "\"Data\"=hex:01,\\\r\n"
    "  02\r\n"
    "\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
    "\"Linie1\"=\"bleibt\"\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Linie1\\Old]\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\linie1]\r\n"
    "\"Path\"=\"/neu\"";
const std::string kAfter =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; Registrierung der Projekte\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects]\r\n"
    "\r\n"
    "; Linie2 folgt\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Linie2]\n"
    "\"ProjectType\"=\"Server\"\n"
    "\"Path\"=\"/p\"\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
    "\"Linie1\"=\"bleibt\"\r\n"
    "[-HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Linie1\\Old]\r\n";

TEST(RegistryDelete, EverythingElseStaysByteForByte) {
    test::TempRegistry registry;
    registry.write(kBefore);
    EXPECT_TRUE(deleteKey(kProjects + "\\linie1"));
    EXPECT_EQ(registry.read(), kAfter);
}

TEST(RegistryDelete, RegeditFileStaysUtf16) {
    test::TempRegistry registry;
    const std::string projects =
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\SELVARO GmbH\\Tessvia\\4.0\\Projects";
    const std::string kept = "Windows Registry Editor Version 5.00\n\n" + projects + "]\n\n";
    const std::string other = projects + "\\\u6f22]\n\"Path\"=\"/k\"\n\n";
    registry.writeBytes(
        test::regeditBytes(kept + projects + "\\Größe]\n\"Path\"=\"/g\"\n\n" + other));
    EXPECT_TRUE(deleteKey(kProjects + "\\größe"));
    EXPECT_EQ(glossel::test::readBytes(registry.path()), test::regeditBytes(kept + other));
}

TEST(RegistryDelete, ParentStaysWhenOnlyTheKeyMadeIt) {
    test::TempRegistry registry;
    registry.write(
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Maker\\Projects\\Stale]\n"
        "\"Path\"=\"/nirgends\"\n\n"
        "; Ende\n");
    EXPECT_TRUE(deleteKey("Software\\Maker\\Projects\\Stale"));
    EXPECT_EQ(registry.read(),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Maker\\Projects]\n"
              "; Ende\n");
    EXPECT_EQ(SysTools().RegistryTools().EnumSubKeys(HKEY_LOCAL_MACHINE, "Software\\Maker"),
              std::vector<std::string>{"Projects"});
}

TEST(RegistryDelete, AbsentKeyLeavesTheFileAlone) {
    test::TempRegistry registry;
    registry.write(kBefore);
    struct stat before {};
    ::stat(registry.path().c_str(), &before);
    EXPECT_TRUE(deleteKey(kProjects + "\\Linie9"));
    EXPECT_TRUE(deleteKey(kProjects + "\\Linie1\\Old"));
    EXPECT_TRUE(deleteKey(kProjects + "\\Linie1\\"));  // names no key: an empty name
    EXPECT_FALSE(deleteKey(""));                       // the hive itself
    struct stat after {};
    ::stat(registry.path().c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(registry.read(), kBefore);
}

TEST(RegistryDelete, ReplacedFileKeepsPermissionsAndLinks) {
    test::TempRegistry registry;
    const std::string real = registry.directory() + "/real.reg";
    glossel::test::writeBytes(real, {kBefore.begin(), kBefore.end()});
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, registry.path());
    EXPECT_TRUE(deleteKey(kProjects + "\\Linie1"));
    EXPECT_TRUE(std::filesystem::is_symlink(registry.path()));
    EXPECT_EQ(registry.read(), kAfter);
    struct stat info {};
    ::stat(real.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(RegistryDelete, WithoutRightsTheKeyStays) {
    test::TempRegistry registry;
    registry.write(kBefore);
    ::chmod(registry.path().c_str(), 0444);
    // Neither directory nor file writable; then a writable directory, where replacing the
    // file by renaming would get around the file's own rights.
    for (const mode_t directoryMode : {0555, 0777}) {
        ::chmod(registry.directory().c_str(), directoryMode);
        const int result =
            test::runUnprivileged([] { return deleteKey(kProjects + "\\Linie1") ? 1 : 2; });
        ::chmod(registry.directory().c_str(), 0755);
        EXPECT_EQ(result, 2) << std::oct << directoryMode;
        EXPECT_EQ(registry.read(), kBefore);
    }

    SysTools().SetRegistryWritable(false);
    EXPECT_FALSE(deleteKey(kProjects + "\\Linie1"));
    SysTools().SetRegistryWritable(true);
    EXPECT_EQ(registry.read(), kBefore);
}

}  // namespace
}  // namespace glossel::systools
