// The project catalogue over a real registry file and real project directories: which
// registrations are listed, which are deleted, and that nothing else in the file changes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/Error.h"
#include "platform/systools/SysTools.h"
#include "projects/ProjectCatalogue.h"
#include "projects/ProjectRegistry.h"
#include "projects/ReportListView.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::projects {
namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kProjectsLine =
    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects]\r\n\r\n";

// A registration; a type or path of std::nullopt leaves that value out.
std::string registration(const std::string& name, const std::optional<std::string>& type,
                         const std::optional<std::string>& path) {
    std::string escapedPath;
    for (char c : path.value_or("")) {
        escapedPath += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\" + name +
           "]\r\n" + (type ? "\"ProjectType\"=\"" + *type + "\"\r\n" : "") +
           (path ? "\"Path\"=\"" + escapedPath + "\"\r\n" : "") + "\r\n";
}

class FillProjectListTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(projects_); }

    void createFile(const std::string& name) const {
        glossel::test::writeBytes(projects_ + "/" + name, {1});
    }

    // Each row as "text | key | directory | type".
    std::vector<std::string> fill(std::int32_t mask = 65535) {
        FillProjectList(list_, mask);
        std::vector<std::string> rows;
        ListViewItems& items = list_.ListItems();
        for (int i = 1; i <= items.Count(); ++i) {
            const ListViewItem& row = items.Item(i);
            rows.push_back(row.Text() + " | " + row.Key() + " | " + row.SubItems(1) + " | " +
                           row.SubItems(2));
        }
        return rows;
    }

    std::vector<std::string> registered() const {
        return systools::SysTools().RegistryTools().EnumSubKeys(systools::HKEY_LOCAL_MACHINE,
                                                                kProjectsKey);
    }

    systools::test::TempRegistry registry_;
    const std::string projects_ = registry_.directory() + "/Anlage";
    ReportListView list_{{"Name", "Verzeichnis", "Typ"}};
};

TEST_F(FillProjectListTest, NoRegistrations) {
    EXPECT_TRUE(fill().empty());  // no registry file at all
    registry_.write(kHeader + kProjectsLine);
    EXPECT_TRUE(fill().empty());
    EXPECT_EQ(list_.SelectedItem(), nullptr);
    EXPECT_EQ(list_.ColumnWidth(0), 0);
    EXPECT_EQ(list_.ColumnWidth(1), 0);
    EXPECT_EQ(list_.ColumnWidth(2), 3);  // "Typ"
}

TEST_F(FillProjectListTest, ProjectsWhoseFilesExistAreListedInRegistryOrder) {
    std::string windowsStyle = projects_;
    std::replace(windowsStyle.begin(), windowsStyle.end(), '/', '\\');
    registry_.write(kHeader + kProjectsLine + registration("Linie1", "Single", projects_) +
                    registration("AnlageNord", "TessviaX", projects_) +
                    registration("Ölmühle", "Terminal Client", windowsStyle));
    for (const char* file : {"Linie1.tvs", "AnlageNord.tvs", "Ölmühle.tvs"}) {
        createFile(file);
    }
    EXPECT_EQ(fill(), (std::vector<std::string>{
                          "AnlageNord | S:anlagenord | " + projects_ + " | TessviaX",
                          "Linie1 | S:linie1 | " + projects_ + " | Single",
                          "Ölmühle | S:ölmühle | " + windowsStyle + " | Terminal Client",
                      }));
    EXPECT_EQ(list_.SelectedItem(), nullptr);
    EXPECT_EQ(list_.ColumnWidth(0), 10);
    EXPECT_EQ(list_.ColumnWidth(1), static_cast<int>(projects_.size()));
    EXPECT_EQ(list_.ColumnWidth(2), 15);
}

TEST_F(FillProjectListTest, GroupNeedsItsVbgFile) {
    registry_.write(kHeader + kProjectsLine + registration("Gruppe1", "Group", projects_) +
                    registration("Gruppe2", "Group", projects_));
    createFile("Gruppe1.vbg");
    createFile("Gruppe2.tvs");
    EXPECT_EQ(fill(), std::vector<std::string>{"Gruppe1 | S:gruppe1 | " + projects_ + " | Group"});
    EXPECT_EQ(registered(), std::vector<std::string>{"Gruppe1"});
}

TEST_F(FillProjectListTest, MissingFileDeletesOnlyThatRegistration) {
    const std::string before = kHeader + "; Projekte der Anlage\r\n" + kProjectsLine +
                               registration("Linie1", "Single", projects_) +
                               "; Linie2 ist abgebaut\r\n" +
                               registration("Linie2", "Single", projects_) +
                               "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"Linie2\"=\"x\"\r\n";
    const std::string after = kHeader + "; Projekte der Anlage\r\n" + kProjectsLine +
                              registration("Linie1", "Single", projects_) +
                              "; Linie2 ist abgebaut\r\n" +
                              "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"Linie2\"=\"x\"\r\n";
    registry_.write(before);
    createFile("Linie1.tvs");
    EXPECT_EQ(fill().size(), 1u);
    EXPECT_EQ(registry_.read(), after);
}

TEST_F(FillProjectListTest, UnknownTypesStayRegisteredButUnlisted) {
    const std::string text = kHeader + kProjectsLine + registration("Klein", "single", projects_) +
                             registration("Fremd", "Robot", projects_) +
                             registration("Ohne", std::nullopt, projects_);
    registry_.write(text);
    for (const char* file : {"Klein.tvs", "Fremd.tvs", "Ohne.tvs"}) {
        createFile(file);
    }
    EXPECT_TRUE(fill().empty());
    EXPECT_EQ(registry_.read(), text);

    std::filesystem::remove(projects_ + "/Fremd.tvs");  // type 0 looks for the ".tvs" file
    fill();
    EXPECT_EQ(registered(), (std::vector<std::string>{"Klein", "Ohne"}));
}

TEST_F(FillProjectListTest, TypeMaskSelectsTessviaX) {
    registry_.write(kHeader + kProjectsLine + registration("Neu", "TessviaX", projects_));
    createFile("Neu.tvs");
    EXPECT_TRUE(fill(63).empty());
    EXPECT_EQ(registered(), std::vector<std::string>{"Neu"});
    EXPECT_EQ(fill(65535).size(), 1u);
}

TEST_F(FillProjectListTest, MissingPathLooksAtTheRootAndDeletes) {
    registry_.write(kHeader + kProjectsLine +
                    registration("GlosselOhnePfad", "Single", std::nullopt));
    EXPECT_TRUE(fill().empty());
    EXPECT_TRUE(registered().empty());
}

// Registrations the program cannot make sense of stay registered and unlisted, wherever they
// stand among the others.
TEST_F(FillProjectListTest, TypesAndPathsThatAreNoTextAreSkippedAndKept) {
    const std::string keyLine =
        "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\";
    const std::string text =
        kHeader + kProjectsLine + registration("A32", "32", projects_) +
        registration("B3", " 3 ", projects_) + keyLine +
        "C1]\r\n\"ProjectType\"=dword:00000001\r\n\"Path\"=\"" + projects_ + "\"\r\n\r\n" +
        keyLine + "D]\r\n\"ProjectType\"=hex:53,00\r\n\"Path\"=\"" + projects_ + "\"\r\n\r\n" +
        keyLine + "E]\r\n\"ProjectType\"=\"Single\"\r\n\"Path\"=hex:2f\r\n\r\n" +
        registration("Linie1", "Single", projects_);
    registry_.write(text);
    createFile("Linie1.tvs");  // the others have no project file, so they would be deleted
    EXPECT_EQ(fill(), std::vector<std::string>{"Linie1 | S:linie1 | " + projects_ + " | Single"});
    EXPECT_EQ(registry_.read(), text);
}

TEST_F(FillProjectListTest, AProjectFileThatCannotBeCheckedIsKeptAndTheOthersListed) {
    // A symbolic link to itself on the way: whether the file is there cannot be told.
    const std::string loop = projects_ + "/Schleife";
    std::filesystem::create_symlink(loop, loop);
    const std::string text = kHeader + kProjectsLine + registration("A", "Single", projects_) +
                             registration("B", "Single", loop) +
                             registration("C", "Single", projects_);
    registry_.write(text);
    createFile("A.tvs");
    createFile("C.tvs");
    EXPECT_EQ(fill(), (std::vector<std::string>{"A | S:a | " + projects_ + " | Single",
                                                "C | S:c | " + projects_ + " | Single"}));
    EXPECT_EQ(registry_.read(), text);
}

TEST_F(FillProjectListTest, ARegistrationThatCannotBeDeletedIsKeptAndTheOthersListed) {
    const std::string text = kHeader + kProjectsLine + registration("A", "Single", projects_) +
                             registration("B", "Single", projects_) +
                             registration("C", "Single", projects_);
    const std::vector<std::string> listed{"A | S:a | " + projects_ + " | Single",
                                          "C | S:c | " + projects_ + " | Single"};
    registry_.write(text);
    createFile("A.tvs");
    createFile("C.tvs");

    // A registry file this user may not write: neither its directory nor it, then only it.
    // Each check fills in a child process, with the list still empty.
    ::chmod(registry_.directory().c_str(), 0755);
    ::chmod(registry_.path().c_str(), 0444);
    for (const mode_t directoryMode : {0555, 0777}) {
        ::chmod(registry_.directory().c_str(), directoryMode);
        const int result =
            systools::test::runUnprivileged([&] { return fill() == listed ? 1 : 2; });
        ::chmod(registry_.directory().c_str(), 0755);
        EXPECT_EQ(result, 1) << std::oct << directoryMode;
        EXPECT_EQ(registry_.read(), text);
    }

    systools::SysTools().SetRegistryWritable(false);
    const std::vector<std::string> rows = fill();
    systools::SysTools().SetRegistryWritable(true);
    EXPECT_EQ(rows, listed);
    EXPECT_EQ(registry_.read(), text);
}

}  // namespace
}  // namespace glossel::projects
