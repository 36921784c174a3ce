// Links and the insert-select statement: a link is checked when appended, lives only in the open
// database (the project file stays as it was), resolves the columns its target has when used,
// and Execute copies every row or stops with an error naming the row.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/dao/InsertSelect.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::dao {
namespace {

using test::errorNumberOf;

class DaoLink : public ::testing::Test {
protected:
    DaoLink() {
        for (const char* file : {"Demo.tvs", "ExportMemo.mdb"}) {
            std::filesystem::copy_file(test::dataPath(std::string("jet/") + file), dir_.path(file));
            std::filesystem::permissions(dir_.path(file), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add);
        }
    }

    void addColumns(const std::vector<std::pair<std::string, int>>& columns) {
        Database target = DBEngine().OpenDatabase(targetPath());
        TableDef table = target.TableDefs().Item("TidxTexts");
        for (const auto& [name, size] : columns) {
            Field field = table.CreateField(name, 10, static_cast<std::int16_t>(size));
            field.SetAllowZeroLength(true);
            table.Fields().Append(field);
        }
        target.Close();
    }

    void link(Database& project) {
        TableDef link = project.CreateTableDef("TidxTemp");
        link.SetConnect(";DATABASE=" + targetPath());
        link.SetSourceTableName("TidxTexts");
        project.TableDefs().Append(link);
    }

    std::string projectPath() const { return dir_.path("Demo.tvs"); }
    std::string targetPath() const { return dir_.path("ExportMemo.mdb"); }

    test::TempDir dir_;
};

TEST_F(DaoLink, InsertSelectThroughALinkCopiesEveryRowAndLeavesTheProjectAlone) {
    const auto projectBefore = test::readBytes(projectPath());
    Database project = DBEngine().OpenDatabase(projectPath());
    EXPECT_EQ(errorNumberOf([&] { project.TableDefs().Delete("TidxTemp"); }), err::kItemNotFound);
    link(project);
    addColumns({{"L1031", 255}, {"L1049", 255}});  // after linking: resolved when used
    project.Execute("insert into [TidxTemp] select ID, [Description], L1031, l1049 FROM TidxTexts");
    EXPECT_EQ(project.TableDefs().Item("TidxTemp").Fields().Count(), 4u);
    project.TableDefs().Delete("TidxTemp");
    EXPECT_EQ(errorNumberOf([&] { project.TableDefs().Item("TidxTemp"); }), err::kItemNotFound);
    project.Close();
    EXPECT_EQ(test::readBytes(projectPath()), projectBefore);

    Database source = DBEngine().OpenDatabase(projectPath());
    Database target = DBEngine().OpenDatabase(targetPath());
    Recordset from = source.OpenRecordset("TidxTexts");
    Recordset to = target.OpenRecordset("TidxTexts");
    int rows = 0;
    for (; !from.Eof(); from.MoveNext(), to.MoveNext(), ++rows) {
        ASSERT_FALSE(to.Eof());
        for (const char* column : {"ID", "Description", "L1031", "L1049"}) {
            EXPECT_EQ(to.Fields().Item(column).Value(), from.Fields().Item(column).Value())
                << column << " in row " << rows;
        }
    }
    EXPECT_TRUE(to.Eof());
    EXPECT_EQ(rows, 27);
}

// Texts the target stores alike are taken over as the project stored them; the file must come
// out as if every value had been decoded and written again.
TEST_F(DaoLink, InsertSelectWritesTheFileThatRowByRowAppendingWrites) {
    {
        Database project = DBEngine().OpenDatabase(projectPath());
        Recordset texts = project.OpenRecordset("TidxTexts");
        const std::vector<Variant> kinds{
            std::string("ab"),   std::string("abc"),    std::string("Größe"), std::string("Привет"),
            std::string("日本"), std::string(255, 'x'), std::string(""),      Null{},
            std::string("Aж ÿ€")};
        std::int32_t id = 9000;
        for (const Variant& kind : kinds) {
            texts.AddNew();
            texts.Fields().Item("ID").SetValue(id++);
            texts.Fields().Item("L1031").SetValue(kind);
            texts.Fields().Item("L1049").SetValue(kind);
            texts.Update();
        }
        project.Close();
    }
    const std::string rowByRow = dir_.path("RowByRow.mdb");
    addColumns({{"L1031", 255}, {"L1049", 255}});
    std::filesystem::copy_file(targetPath(), rowByRow);

    Database project = DBEngine().OpenDatabase(projectPath());
    link(project);
    project.Execute("INSERT INTO TidxTemp SELECT ID, Description, L1031, L1049 FROM TidxTexts");
    project.TableDefs().Delete("TidxTemp");
    Database target = DBEngine().OpenDatabase(rowByRow);
    Recordset from = project.OpenRecordset("TidxTexts");
    Recordset to = target.OpenRecordset("TidxTexts");
    for (; !from.Eof(); from.MoveNext()) {
        to.AddNew();
        for (const char* column : {"ID", "Description", "L1031", "L1049"}) {
            to.Fields().Item(column).SetValue(from.Fields().Item(column).Value());
        }
        to.Update();
    }
    target.Close();
    project.Close();
    EXPECT_EQ(test::readBytes(targetPath()), test::readBytes(rowByRow));
}

TEST_F(DaoLink, AppendChecksTheDefinitionAndItsTarget) {
    Database project = DBEngine().OpenDatabase(projectPath());
    TableDef bare = project.CreateTableDef("TidxTemp");
    EXPECT_EQ(errorNumberOf([&] { project.TableDefs().Append(bare); }), 3264);
    TableDef missingFile = project.CreateTableDef("TidxTemp");
    missingFile.SetConnect(";DATABASE=" + dir_.path("nowhere.mdb"));
    missingFile.SetSourceTableName("TidxTexts");
    EXPECT_EQ(errorNumberOf([&] { project.TableDefs().Append(missingFile); }), err::kFileNotFound);
    TableDef missingTable = project.CreateTableDef("TidxTemp");
    missingTable.SetConnect(";DATABASE=" + targetPath());
    missingTable.SetSourceTableName("NoTable");
    EXPECT_EQ(errorNumberOf([&] { project.TableDefs().Append(missingTable); }), err::kItemNotFound);
    TableDef noDatabase = project.CreateTableDef("TidxTemp");
    noDatabase.SetConnect("Excel 5.0;HDR=NO;IMEX=2;");
    noDatabase.SetSourceTableName("TidxTexts$");
    EXPECT_EQ(errorNumberOf([&] { project.TableDefs().Append(noDatabase); }), 3044);
    EXPECT_EQ(project.TableDefs().Count(), 3u);
}

TEST_F(DaoLink, ExecuteNamesWhatItCannotMatchOrStore) {
    Database project = DBEngine().OpenDatabase(projectPath());
    link(project);
    addColumns({{"L1031", 10}});
    EXPECT_EQ(errorNumberOf(
                  [&] { project.Execute("INSERT INTO TidxTemp SELECT ID, L1099 FROM TidxTexts"); }),
              3061);
    EXPECT_EQ(errorNumberOf(
                  [&] { project.Execute("INSERT INTO TidxTemp SELECT ID, L1049 FROM TidxTexts"); }),
              3127);
    EXPECT_EQ(errorNumberOf([&] { project.Execute("DELETE FROM TidxTexts"); }), 3134);
    try {
        project.Execute("INSERT INTO TidxTemp SELECT ID, L1031 FROM TidxTexts");
        FAIL() << "texts longer than the target column were stored";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kFieldTooSmall);
        EXPECT_NE(error.description().find("'L1031'"), std::string::npos);
        EXPECT_NE(error.description().find("ID="), std::string::npos);
    }
}

TEST(InsertSelectStatement, ParsesTheOneFormInAnyLetterCase) {
    const auto parsed = InsertSelect::parse(
        "  Insert Into [Tidx Temp] SeLeCt ID,Description , [L 1031] from TidxTexts ;");
    EXPECT_EQ(parsed.target, "Tidx Temp");
    EXPECT_EQ(parsed.columns, (std::vector<std::string>{"ID", "Description", "L 1031"}));
    EXPECT_EQ(parsed.source, "TidxTexts");
    for (const char* wrong :
         {"INSERT TidxTemp SELECT ID FROM T", "INSERT INTO T SELECT FROM T",
          "INSERT INTO T SELECT ID, FROM T", "INSERT INTO T SELECT ID FROM",
          "INSERT INTO T SELECT ID FROM T WHERE ID = 1", "INSERT INTO [T SELECT ID FROM T"}) {
        EXPECT_THROW(InsertSelect::parse(wrong), Error) << wrong;
    }
}

}  // namespace
}  // namespace glossel::dao
