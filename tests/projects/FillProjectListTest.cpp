// The project catalogue over a real registry file and real project directories: which
// registrations are listed, which are deleted, and that nothing else in the file changes.
#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(FillProjectListTest, NumericTypeIsSkippedAndKeptWhileTheRestIsListed) {
    const std::string text = kHeader + kProjectsLine + registration("A32", "32", projects_) +
                             registration("B3", " 3 ", projects_) +
                             "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\"
                             "C64]\r\n\"ProjectType\"=dword:00000040\r\n\r\n" +
                             registration("Linie1", "Single", projects_);
    registry_.write(text);
    createFile("Linie1.tvs");
    EXPECT_EQ(fill(), std::vector<std::string>{"Linie1 | S:linie1 | " + projects_ + " | Single"});
    EXPECT_EQ(registry_.read(), text);
}

TEST_F(FillProjectListTest, AnErrorStopsTheFillWhereItHappens) {
    registry_.write(kHeader + kProjectsLine + registration("A", "Single", projects_) +
                    registration("B", "Single", projects_) +
                    "[HKEY_LOCAL_MACHINE\\Software\\SELVARO GmbH\\Tessvia\\4.0\\Projects\\C]\r\n"
                    "\"ProjectType\"=\"Single\"\r\n\"Path\"=hex:2f\r\n\r\n" +
                    registration("D", "Single", projects_));
    createFile("A.tvs");
    EXPECT_THROW(fill(), Error);
    EXPECT_EQ(list_.ListItems().Count(), 1);
    EXPECT_EQ(registered(), (std::vector<std::string>{"A", "C", "D"}));
}

}  // namespace
}  // namespace glossel::projects
