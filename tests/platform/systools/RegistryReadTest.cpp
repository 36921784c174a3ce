// Reading the registry file: value forms, names without regard to case, sections in file
// order, regedit's own encoding, and malformed files reported with their line.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/systools/RegistryErrors.h"
#include "platform/systools/SysTools.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::systools {
namespace {

const std::string kProjects = "Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects";
const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";

Variant read(const std::string& key, const std::string& name) {
    return SysTools().RegistryTools().ReadValue(HKEY_LOCAL_MACHINE, key, name, std::string("-"));
}

std::vector<std::string> subKeys(const std::string& key) {
    return SysTools().RegistryTools().EnumSubKeys(HKEY_LOCAL_MACHINE, key);
}

Variant text(const std::string& value) {
    return value;
}

TEST(RegistryRead, ValueForms) {
    test::TempRegistry registry;
    registry.write(kHeader +
                   "[HKEY_LOCAL_MACHINE\\Software\\Maker]\n"
                   "@=\"Standard\"\n"
                   "\"Path\"=\"C:\\\\Projekte\\\\Anlage\"\n"
                   "\"Quoted\"=\"sagt \\\"Grüezi\\\"\"\n"
                   "\"Count\"=dword:FFFFFFFF\n"
                   "\"Blob\"=hex:01,02,\\\n"
                   "  03\n");
    const std::string key = "Software\\Maker";
    EXPECT_EQ(read(key, ""), text("Standard"));
    EXPECT_EQ(read(key, "Path"), text("C:\\Projekte\\Anlage"));
    EXPECT_EQ(read(key, "Quoted"), text("sagt \"Grüezi\""));
    EXPECT_EQ(read(key, "Count"), Variant(std::int32_t{-1}));
    EXPECT_EQ(read(key, "Blob"), Variant(Bytes{1, 2, 3}));
    EXPECT_EQ(read(key, "Missing"), text("-"));
    EXPECT_EQ(read("Software\\Nobody", "Path"), text("-"));
    EXPECT_TRUE(subKeys("Software\\Nobody").empty());
}

TEST(RegistryRead, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    test::TempRegistry registry;
    const std::string projects =
        "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects";
    registry.write(
        "\xEF\xBB\xBF" + kHeader + projects + "\\linie2]\n" + projects +
        "\\AnlageNord]\n\"path\"=\"/a\"\n"
        "[hkey_local_machine\\software\\selvaro gmbh\\tessvia\\4.0\\projects\\ANLAGENORD]\n"
        "\"PATH\"=\"/b\"\n" +
        projects + "\\Ölmühle]\n");
    EXPECT_EQ(subKeys(kProjects), (std::vector<std::string>{"AnlageNord", "linie2", "Ölmühle"}));
    EXPECT_EQ(read(kProjects + "\\anlagenord", "Path"), text("/b"));
    EXPECT_EQ(subKeys("SOFTWARE"), std::vector<std::string>{"SELVARO GmbH"});
    EXPECT_TRUE(subKeys(kProjects + "\\ÖLMÜHLE").empty());
}

TEST(RegistryRead, SectionsApplyInFileOrder) {
    test::TempRegistry registry;
    registry.write(kHeader +
                   "[HKEY_LOCAL_MACHINE\\Software\\A\\Old\\Deep]\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\A]\n\"Value\"=\"first\"\n\"Gone\"=\"soon\"\n"
                   "[-HKEY_LOCAL_MACHINE\\Software\\A\\Old]\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\A]\n\"Value\"=\"second\"\n\"Gone\"=-\n");
    EXPECT_EQ(read("Software\\A", "Value"), text("second"));
    EXPECT_EQ(read("Software\\A", "Gone"), text("-"));
    EXPECT_TRUE(subKeys("Software\\A").empty());
}

TEST(RegistryRead, MissingFileIsAnEmptyRegistry) {
    test::TempRegistry registry;
    EXPECT_TRUE(subKeys(kProjects).empty());
    EXPECT_EQ(read(kProjects, "Path"), text("-"));
}

// Made by hand as regedit exports a key: UTF-16 LE with byte order mark, CR LF, each key a
// section of its own, byte lists wrapped with "\" and two blanks, a blank line after each key.
TEST(RegistryRead, RegeditExport) {
    test::TempRegistry registry;
    registry.writeBytes(test::regeditBytes(
        "Windows Registry Editor Version 5.00\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\SELVARO GmbH\\Tessvia\\4.0\\Projects]\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\Prüfstand]\n"
        "\"ProjectType\"=\"Group\"\n"
        "\"Path\"=\"D:\\\\Anlagen\\\\Prüfstand\"\n"
        "\"Revision\"=dword:00000003\n"
        "\"Backup\"=hex(2):25,00,55,00,53,00,45,00,52,00,50,00,52,00,4f,00,46,00,49,00,4c,00,\\\n"
        "  45,00,25,00,5c,00,42,00,61,00,63,00,6b,00,75,00,70,00,00,00\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\\u6f22\u5b57]\n"
        "\"ProjectType\"=\"Single\"\n"
        "\"Path\"=\"D:\\\\\U0001F3ED\"\n"
        "\n"));
    EXPECT_EQ(subKeys(kProjects), (std::vector<std::string>{"Prüfstand", "\u6f22\u5b57"}));
    const std::string key = kProjects + "\\Prüfstand";
    EXPECT_EQ(read(key, "ProjectType"), text("Group"));
    EXPECT_EQ(read(key, "Path"), text("D:\\Anlagen\\Prüfstand"));
    EXPECT_EQ(read(key, "Revision"), Variant(std::int32_t{3}));
    EXPECT_EQ(read(key, "Backup"), text("%USERPROFILE%\\Backup"));
    EXPECT_EQ(read(kProjects + "\\\u6f22\u5b57", "Path"), text("D:\\\U0001F3ED"));
}

TEST(RegistryRead, MalformedFilesNameFileAndLine) {
    const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\A]\n";
    const std::string utf16Header(reinterpret_cast<const char*>(test::regeditBytes(kHeader).data()),
                                  test::regeditBytes(kHeader).size());
    std::string tooDeep;
    for (int level = 0; level <= 512; ++level) {
        tooDeep += "\\K";
    }
    const std::vector<std::pair<std::string, int>> damages{
        {"", 1},
        {"REGEDIT4\n\n" + key, 1},
        {kHeader + "[HKEY_LOCAL_MACHINE\\Software\n", 3},
        {kHeader + "[HKEY_LOCAL\\Software]\n", 3},
        {kHeader + "[HKEY_LOCAL_MACHINE\\Software\\\\A]\n", 3},
        {kHeader + "\"A\"=\"B\"\n", 3},
        {kHeader + "[HKEY_LOCAL_MACHINE" + tooDeep + "]\n", 3},
        {kHeader + key + "\"Path\"=\"C:\\Projekte\"\n", 4},
        {kHeader + key + "\"Path\"=\"C:\n", 4},
        {kHeader + key + "\"N\"=dword:123456789\n", 4},
        {kHeader + key + "\"N\"=hex:01,2x\n", 4},
        {kHeader + key + "\"N\"=hex:01,\\\n", 4},
        {kHeader + key + "\"Name\"=\"M\xFCller\"\n", 4},    // ANSI, not UTF-8
        {utf16Header + "[", 3},                             // half a UTF-16 unit
        {utf16Header + std::string("[\0\0\xD8]\0", 6), 3},  // lone surrogate
    };
    for (const auto& [bytes, line] : damages) {
        test::TempRegistry registry;
        registry.write(bytes);
        try {
            subKeys("Software");
            ADD_FAILURE() << "no error for: " << bytes;
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), kRegistryCorrupt);
            EXPECT_NE(error.description().find(registry.path() + " ist fehlerhaft: Zeile " +
                                               std::to_string(line) + ": "),
                      std::string::npos)
                << error.description();
        }
    }
}

TEST(RegistryRead, OnlyTheLocalMachineHive) {
    test::TempRegistry registry;
    const auto currentUser = static_cast<std::int32_t>(0x80000001u);
    EXPECT_THROW(SysTools().RegistryTools().EnumSubKeys(currentUser, ""), Error);
}

}  // namespace
}  // namespace glossel::systools
