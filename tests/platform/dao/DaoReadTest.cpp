// The DAO read surface on real files: opening by name, table definitions, fields in column order,
// walking a recordset, and the error numbers a caller can test.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::dao {
namespace {

const std::string kDemo = test::dataPath("jet/Demo.tvs");

using test::errorNumberOf;

TEST(DaoRead, MissingFileIsFileNotFoundAndNamesTheNativePath) {
    try {
        DBEngine().OpenDatabase("/no/such/dir\\Project.tvs");
        FAIL() << "opened a missing file";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kFileNotFound);
        EXPECT_NE(error.description().find("'/no/such/dir/Project.tvs'"), std::string::npos);
        EXPECT_EQ(std::string(error.what()).rfind("3024: ", 0), 0u);
    }
}

TEST(DaoRead, BackslashJoinedPathOpens) {
    test::TempDir dir;
    std::filesystem::copy_file(kDemo, dir.path("Demo.tvs"));
    const std::string joined = dir.path("") + "\\Demo.tvs";
    Database database = DBEngine().OpenDatabase(joined);
    EXPECT_EQ(database.TableDefs().Item("TidxTexts").Name(), "TidxTexts");
    database.Close();
}

TEST(DaoRead, FileThatIsNoDatabaseIsUnrecognised) {
    test::TempDir dir;
    test::writeBytes(dir.path("notes.tvs"), std::vector<std::uint8_t>(8192, 'x'));
    EXPECT_EQ(errorNumberOf([&] { DBEngine().OpenDatabase(dir.path("notes.tvs")); }),
              err::kUnrecognisedFormat);
}

TEST(DaoRead, TableDefsListUserTablesAndFindThemWithoutRegardToCase) {
    Database database = DBEngine().OpenDatabase(kDemo);
    const TableDefs& tables = database.TableDefs();
    ASSERT_EQ(tables.Count(), 3u);
    EXPECT_EQ(tables.Item("tidxtexts").Name(), "TidxTexts");
    EXPECT_EQ(errorNumberOf([&] { tables.Item("MSysObjects"); }), err::kItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { tables.Item("TidxTemp"); }), err::kItemNotFound);
}

TEST(DaoRead, FieldsComeInColumnOrderWithTheirTypes) {
    Database database = DBEngine().OpenDatabase(kDemo);
    const TableDef table = database.TableDefs().Item("TidxTexts");
    std::vector<std::string> names;
    for (const Field& field : table.Fields()) {
        names.push_back(field.Name());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"ID", "Description", "L1031", "L1033", "L1049",
                                               "L1036", "Remark"}));
    EXPECT_EQ(table.Fields().Item("l1031").Type(), 10);
    EXPECT_EQ(table.Fields().Item("L1031").Size(), 255);
    EXPECT_EQ(table.Fields().Item("Remark").Size(), 50);
    EXPECT_EQ(errorNumberOf([&] { table.Fields().Item("L9999"); }), err::kItemNotFound);
    // A table definition has no records to read values from.
    EXPECT_EQ(errorNumberOf([&] { table.Fields().Item("ID").Value(); }), err::kInvalidOperation);
}

TEST(DaoRead, RecordsetWalksEveryRecordWithTypedValues) {
    Database database = DBEngine().OpenDatabase(kDemo);
    Recordset records = database.OpenRecordset("TidxTexts");
    records.MoveFirst();
    int count = 0;
    bool sawNullText = false;
    bool sawEmptyText = false;
    for (; !records.Eof(); records.MoveNext()) {
        ++count;
        const Variant& id = records.Fields().Item("ID").Value();
        ASSERT_TRUE(std::holds_alternative<std::int32_t>(id));
        const Variant& english = records.Fields().Item("L1033").Value();
        sawNullText |= isNull(english);
        sawEmptyText |= english == Variant(std::string());
        if (std::get<std::int32_t>(id) == 1) {
            EXPECT_EQ(std::get<std::string>(records.Fields().Item("L1031").Value()),
                      "Motor 1 läuft");
        }
    }
    EXPECT_EQ(count, 27);
    EXPECT_TRUE(sawNullText);
    EXPECT_TRUE(sawEmptyText);
    EXPECT_EQ(errorNumberOf([&] { records.Fields().Item("ID").Value(); }), err::kNoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { records.MoveNext(); }), err::kNoCurrentRecord);
    records.Close();
    EXPECT_EQ(errorNumberOf([&] { records.Eof(); }), err::kObjectClosed);
    database.Close();
    EXPECT_EQ(errorNumberOf([&] { database.TableDefs(); }), err::kObjectClosed);
}

TEST(DaoRead, EmptyTableHasNoFirstRecord) {
    Database database = DBEngine().OpenDatabase(test::dataPath("jet/Export.mdb"));
    Recordset records = database.OpenRecordset("TidxTexts");
    EXPECT_TRUE(records.Eof());
    EXPECT_EQ(errorNumberOf([&] { records.MoveFirst(); }), err::kNoCurrentRecord);
}

TEST(DaoRead, RecordsetOnUnknownTableIsInputTableNotFound) {
    Database database = DBEngine().OpenDatabase(kDemo);
    EXPECT_EQ(errorNumberOf([&] { database.OpenRecordset("TidxTemp"); }), err::kInputTableNotFound);
}

TEST(DaoRead, ReadingNeverChangesTheFile) {
    test::TempDir dir;
    const std::string copy = dir.path("Demo.tvs");
    std::filesystem::copy_file(kDemo, copy);
    const auto before = std::filesystem::last_write_time(copy);
    {
        Database database = DBEngine().OpenDatabase(copy);
        Recordset records = database.OpenRecordset("TidxTexts");
        for (; !records.Eof(); records.MoveNext()) {
        }
    }
    EXPECT_EQ(test::readBytes(copy), test::readBytes(kDemo));
    EXPECT_EQ(std::filesystem::last_write_time(copy), before);
}

}  // namespace
}  // namespace glossel::dao
