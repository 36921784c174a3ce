// The export into both kinds of exchange file: language order, header cells, the numeric record,
// nulls, the code-page repair, and the failures it must report (with the message it shows).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/nls/AnsiText.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"
#include "tests/platform/nls/ScopedLocaleEnvironment.h"
#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"

namespace glossel::transfer {
namespace {

namespace fs = std::filesystem;
using test::readRows;
using test::Rows;

class RecordedMessages : public MessageBoxes {
public:
    void ShowPlain(const std::string& text) override { plain.push_back(text); }
    void ShowInformation(const std::string& text) override { information.push_back(text); }

    std::vector<std::string> plain;
    std::vector<std::string> information;
};

class Export : public ::testing::Test {
protected:
    Export() {
        environment_.set("LANG", "de_DE.UTF-8");
        fs::copy_file(test::dataPath("jet/Demo.tvs"), project_);
        fs::permissions(project_, fs::perms::owner_write, fs::perm_options::add);
        FillLanguageList(project_, list_);
    }

    // Ticks the languages in the given order.
    void tick(std::initializer_list<std::int32_t> lcids) {
        for (const std::int32_t lcid : lcids) {
            for (int i = 0; i < list_.ListCount(); ++i) {
                if (list_.ItemData(i) == lcid) {
                    list_.SetSelected(i, true);
                }
            }
        }
    }

    // The names in the test's directory, hidden ones included, sorted.
    std::vector<std::string> directoryEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(fs::path(project_).parent_path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    bool exportTo(const std::string& target) {
        return ExportSelectedLanguages(project_, list_, target, messages_);
    }

    nls::test::ScopedLocaleEnvironment environment_;
    test::TempDir dir_;
    std::string project_ = dir_.path("Demo.tvs");
    SortedListBox list_;
    RecordedMessages messages_;
};

TEST_F(Export, WorkbookGetsHeaderCellsInListOrderTheNumericRecordAndRepairedTexts) {
    tick({1049, 1031});  // the list shows Deutsch before Russisch
    const std::string target = dir_.path("Texte.xls");
    ASSERT_TRUE(exportTo(target)) << messages_.plain.front();
    const Rows sheet = readRows(target, "TidxTexts$", "Excel 8.0;HDR=NO;IMEX=2;");
    ASSERT_GE(sheet.size(), 2u);
    EXPECT_EQ(sheet[0], (std::vector<Variant>{std::string("ID"), std::string("Description"),
                                              std::string("L1031"), std::string("L1049"),
                                              std::string("Sprache 3")}));
    EXPECT_EQ(sheet[1][0], Variant(0.0));
    EXPECT_TRUE(isNull(sheet[1][1]) && isNull(sheet[1][2]));
    const Rows project = readRows(project_, "TidxTexts");
    ASSERT_EQ(sheet.size(), project.size() + 2);
    for (std::size_t i = 0; i < project.size(); ++i) {
        if (project[i][0] == Variant(std::int32_t{1})) {
            EXPECT_EQ(sheet[i + 2][2], Variant(std::string("Motor 1 läuft")));
            EXPECT_EQ(sheet[i + 2][3], Variant(std::string("Двигатель 1 работает")));
        }
    }
    EXPECT_TRUE(messages_.plain.empty());
}

TEST_F(Export, XmlWorkbookHoldsWhatTheExcel97WorkbookHolds) {
    tick({1049, 1031, 1033});
    ASSERT_TRUE(exportTo(dir_.path("Texte.xls"))) << messages_.plain.front();
    ASSERT_TRUE(exportTo(dir_.path("Texte.xlsx"))) << messages_.plain.front();
    const Rows old = readRows(dir_.path("Texte.xls"), "TidxTexts$", "Excel 8.0;HDR=NO;IMEX=2;");
    const Rows xml =
        readRows(dir_.path("Texte.xlsx"), "TidxTexts$", "Excel 12.0 Xml;HDR=NO;IMEX=2;");
    EXPECT_EQ(xml, old);
    EXPECT_EQ(xml.size(), readRows(project_, "TidxTexts").size() + 2);
    EXPECT_EQ(test::errorNumberOf([&] {
                  readRows(dir_.path("Texte.xlsx"), "TidxTexts$", "Excel 8.0;HDR=NO;IMEX=2;");
              }),
              err::kUnrecognisedFormat);
}

TEST_F(Export, DatabaseGetsTextColumnsNullsStayNullAndTheProjectStaysAsItWas) {
    tick({1033, 1049});
    const auto projectBefore = test::readBytes(project_);
    const std::string target = dir_.path("Texte.mdb");
    test::writeBytes(target, {'a', 'l', 't'});  // an older file there is replaced
    ASSERT_TRUE(exportTo(target)) << messages_.plain.front();
    EXPECT_EQ(test::readBytes(project_), projectBefore);
    auto database = dao::DBEngine().OpenDatabase(target);
    const auto fields = database.TableDefs().Item("TidxTexts").Fields();
    ASSERT_EQ(fields.Count(), 4u);
    EXPECT_EQ(fields.Item(2).Name(), "L1033");
    EXPECT_EQ(fields.Item(3).Size(), 255);
    EXPECT_TRUE(fields.Item(3).AllowZeroLength());
    database.Close();

    const Rows project = readRows(project_, "TidxTexts");
    const Rows exported = readRows(target, "TidxTexts");
    ASSERT_EQ(exported.size(), project.size());
    for (std::size_t i = 0; i < project.size(); ++i) {
        EXPECT_EQ(exported[i][0], project[i][0]);
        EXPECT_EQ(exported[i][1], project[i][1]);
        EXPECT_EQ(exported[i][2], project[i][3]);  // English: same code page, same text
        EXPECT_EQ(isNull(exported[i][3]), isNull(project[i][4]));
    }
}

TEST_F(Export, DatabaseHoldsItsRowsInProjectOrderWithoutMovedRows) {
    tick({1031, 1049});  // the Russian texts grow in the repair
    const std::string target = dir_.path("Texte.mdb");
    ASSERT_TRUE(exportTo(target)) << messages_.plain.front();
    EXPECT_EQ(test::movedRowSlots(target, "TidxTexts"), 0);
    std::vector<int> projectIds;
    for (const auto& row : readRows(project_, "TidxTexts")) {
        projectIds.push_back(std::get<std::int32_t>(row[0]));
    }
    EXPECT_EQ(test::idsAsMdbtoolsReadsThem(target, "TidxTexts"), projectIds);
}

TEST_F(Export, NoLanguageTickedCopiesIdAndDescriptionOnly) {
    const std::string target = dir_.path("Texte.mdb");
    ASSERT_TRUE(exportTo(target));
    EXPECT_EQ(readRows(target, "TidxTexts").front().size(), 2u);
}

TEST_F(Export, RefusalsComeBeforeAnythingIsWritten) {
    const auto projectBefore = test::readBytes(project_);
    tick({1031});
    EXPECT_FALSE(exportTo(dir_.path("Texte.XLS")));
    ASSERT_EQ(messages_.plain.size(), 1u);
    EXPECT_EQ(messages_.plain[0].rfind("Fehler beim Exportieren einer Sprache!\n3264: ", 0), 0u);
    EXPECT_NE(messages_.plain[0].find("\".XLS\""), std::string::npos) << messages_.plain[0];
    EXPECT_NE(messages_.plain[0].find("\".xls\", \".xlsx\", \".mdb\" oder \".xlf\""),
              std::string::npos);

    tick({1031, 1033, 1036, 1049});  // the workbook templates have room for three languages
    for (const char* name : {"Vier.xls", "Vier.xlsx"}) {
        EXPECT_FALSE(exportTo(dir_.path(name)));
        EXPECT_EQ(messages_.plain.back().rfind("Fehler beim Exportieren einer Sprache!\n3437: ", 0),
                  0u);
        EXPECT_NE(messages_.plain.back().find("3 Sprachen"), std::string::npos);
    }
    EXPECT_EQ(directoryEntries(), (std::vector<std::string>{"Demo.tvs"}));
    EXPECT_EQ(test::readBytes(project_), projectBefore);

    ASSERT_TRUE(exportTo(dir_.path("Vier.mdb"))) << messages_.plain.back();
    EXPECT_EQ(readRows(dir_.path("Vier.mdb"), "TidxTexts").front().size(), 6u);
}

TEST_F(Export, TargetThatIsTheProjectItselfIsRefused) {
    const std::string self = dir_.path("Self.mdb");
    fs::copy_file(project_, self);
    fs::create_hard_link(self, dir_.path("Hard.mdb"));
    fs::create_symlink(self, dir_.path("Symbolic.mdb"));
    const auto before = test::readBytes(self);
    SortedListBox list;
    FillLanguageList(self, list);
    list.SetSelected(0, true);
    for (const char* target : {"Self.mdb", "Hard.mdb", "Symbolic.mdb"}) {
        EXPECT_FALSE(ExportSelectedLanguages(self, list, dir_.path(target), messages_));
        EXPECT_NE(messages_.plain.back().find(dir_.path(target)), std::string::npos);
        EXPECT_EQ(test::readBytes(self), before) << target;
    }
    EXPECT_TRUE(fs::is_symlink(dir_.path("Symbolic.mdb")));
    EXPECT_EQ(directoryEntries(),
              (std::vector<std::string>{"Demo.tvs", "Hard.mdb", "Self.mdb", "Symbolic.mdb"}));
}

TEST_F(Export, FailedExportKeepsTheEarlierTargetAndLeavesNothingBehind) {
    const std::string target = dir_.path("Texte.mdb");
    test::writeBytes(target, {'a', 'l', 't'});
    list_.AddItem("Italienisch (Italien) [1040]");  // a language the project lacks
    list_.SetItemData(list_.NewIndex(), 1040);
    list_.SetSelected(list_.NewIndex(), true);
    EXPECT_FALSE(exportTo(target));
    EXPECT_NE(messages_.plain.back().find("L1040"), std::string::npos);
    EXPECT_EQ(test::readBytes(target), (std::vector<std::uint8_t>{'a', 'l', 't'}));
    EXPECT_EQ(directoryEntries(), (std::vector<std::string>{"Demo.tvs", "Texte.mdb"}));

    EXPECT_FALSE(
        ExportSelectedLanguages(dir_.path("Nichts.tvs"), list_, dir_.path("X.mdb"), messages_));
    EXPECT_NE(messages_.plain.back().find("3024: "), std::string::npos);
    EXPECT_EQ(directoryEntries(), (std::vector<std::string>{"Demo.tvs", "Texte.mdb"}));
}

TEST_F(Export, SuccessfulExportKeepsTheTargetsPermissions) {
    const std::string target = dir_.path("Texte.xls");
    test::writeBytes(target, {'a', 'l', 't'});
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    tick({1031});
    ASSERT_TRUE(exportTo(target)) << messages_.plain.front();
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(directoryEntries(), (std::vector<std::string>{"Demo.tvs", "Texte.xls"}));
}

TEST_F(Export, PathsInMessagesUseTheSystemsSeparator) {
    // directory, "\\", name: as the window joins them
    const std::string joined = fs::path(project_).parent_path().string() + "\\Kaputt.tvs";
    EXPECT_FALSE(ExportSelectedLanguages(joined, list_, dir_.path("X.mdb"), messages_));
    EXPECT_NE(messages_.plain.back().find(dir_.path("Kaputt.tvs")), std::string::npos)
        << messages_.plain.back();
    EXPECT_EQ(messages_.plain.back().find('\\'), std::string::npos);
}

TEST_F(Export, RepairTurnsEveryLanguageIntoItsOwnCodePage) {
    // A project written on a machine with code page 1252: Japanese is held as its cp932 bytes.
    const std::string japanese = "設定を保存しますか？ ｶﾀｶﾅ";
    const std::string stored = nls::decodeAnsi(1252, nls::encodeAnsi(932, japanese));
    const std::string project = dir_.path("Japan.mdb");
    fs::copy_file(test::dataPath("jet/ExportMemo.mdb"), project);
    fs::permissions(project, fs::perms::owner_write, fs::perm_options::add);
    {
        auto database = dao::DBEngine().OpenDatabase(project);
        auto table = database.TableDefs().Item("TidxTexts");
        for (const char* column : {"L1041", "L1031"}) {
            auto field = table.CreateField(column, 10, 255);
            field.SetAllowZeroLength(true);
            table.Fields().Append(field);
        }
        auto records = database.OpenRecordset("TidxTexts");
        records.AddNew();
        records.Fields().Item("ID").SetValue(std::int32_t{7});
        records.Fields().Item("L1041").SetValue(stored);
        records.Fields().Item("L1031").SetValue(std::string("Füllstand „hoch“"));
        records.Update();
        database.Close();
    }
    environment_.set("TESSVIA_ACP", "1252");
    SortedListBox list;
    FillLanguageList(project, list);
    for (int i = 0; i < list.ListCount(); ++i) {
        list.SetSelected(i, true);
    }
    const std::string target = dir_.path("Japan-Export.mdb");
    ASSERT_TRUE(ExportSelectedLanguages(project, list, target, messages_));
    const Rows rows = readRows(target, "TidxTexts");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][2], Variant(std::string("Füllstand „hoch“")));  // L1031 comes first
    EXPECT_EQ(rows[0][3], Variant(japanese));
}

TEST_F(Export, EveryLanguageIsRepairedAndEachFailureReported) {
    tick({1031, 1033, 1049});
    environment_.set("TESSVIA_ACP", "1251");  // German and Russian cp1252-held texts do not fit
    for (const char* name : {"Texte.mdb", "Texte.xls"}) {
        const std::string target = dir_.path(name);
        test::writeBytes(target, {'a', 'l', 't'});
        EXPECT_FALSE(exportTo(target));
        const std::string& text = messages_.plain.back();
        const auto lines = std::count(text.begin(), text.end(), '\n');
        EXPECT_EQ(lines, 2) << text;  // the heading, then one line per failed language
        EXPECT_NE(text.find("\n3421: Der Text der Sprache L1031"), std::string::npos) << text;
        EXPECT_NE(text.find("\n3421: Der Text der Sprache L1049"), std::string::npos) << text;
        EXPECT_NE(text.find("ID="), std::string::npos);
        EXPECT_EQ(test::readBytes(target), (std::vector<std::uint8_t>{'a', 'l', 't'}));
    }
    EXPECT_EQ(directoryEntries(), (std::vector<std::string>{"Demo.tvs", "Texte.mdb", "Texte.xls"}));
}

}  // namespace
}  // namespace glossel::transfer
