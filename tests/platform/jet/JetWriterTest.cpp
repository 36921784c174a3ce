// The writer's rules: what Jet refuses (too long, wrong type, empty where not allowed, indexed
// tables, Jet 3 files), that an update changing nothing writes nothing, and that rows and
// properties round-trip through their stored forms.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"
#include "platform/jet/DataPage.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/PropertyBlob.h"
#include "platform/jet/RowFields.h"
#include "platform/jet/UsageMap.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::jet {
namespace {

using test::errorNumberOf;

class JetWriter : public ::testing::Test {
protected:
    std::string copyOf(const std::string& fixture) {
        const std::string path = dir_.path(std::filesystem::path(fixture).filename());
        std::filesystem::copy_file(test::dataPath(fixture), path);
        std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
        return path;
    }

    // A copy of the exchange template with L1031 (empty texts allowed) and L1049 (not allowed).
    std::string exchangeFile() {
        const std::string path = copyOf("jet/ExportMemo.mdb");
        auto database = dao::DBEngine().OpenDatabase(path);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        dao::Field german = table.CreateField("L1031", 10, 255);
        german.SetAllowZeroLength(true);
        table.Fields().Append(german);
        table.Fields().Append(table.CreateField("L1049", 10, 255));
        database.Close();
        return path;
    }

    int addRow(const std::string& path, const std::string& column, const Variant& value) {
        auto database = dao::DBEngine().OpenDatabase(path);
        auto records = database.OpenRecordset("TidxTexts");
        records.AddNew();
        records.Fields().Item("ID").SetValue(std::int32_t(1));
        const int number = errorNumberOf([&] {
            records.Fields().Item(column).SetValue(value);
            records.Update();
        });
        database.Close();
        return number;
    }

    test::TempDir dir_;
};

TEST_F(JetWriter, FieldRulesRefuseWhatDoesNotFitAndKeepNothingOfIt) {
    const std::string path = exchangeFile();
    EXPECT_EQ(addRow(path, "L1031", std::string(256, 'x')), err::kFieldTooSmall);
    EXPECT_EQ(addRow(path, "L1031", Bytes{1, 2}), err::kConversion);
    EXPECT_EQ(addRow(path, "ID", std::string("zwölf")), err::kConversion);
    EXPECT_EQ(addRow(path, "ID", 3e10), err::kNumericOverflow);
    EXPECT_EQ(addRow(path, "L1049", std::string()), err::kZeroLengthNotAllowed);
    auto database = dao::DBEngine().OpenDatabase(path);
    EXPECT_TRUE(database.OpenRecordset("TidxTexts").Eof());
    database.Close();

    EXPECT_EQ(addRow(path, "L1031", std::string()), 0);
    EXPECT_EQ(addRow(path, "L1031", std::string(255, 'x')), 0);
    EXPECT_EQ(addRow(path, "ID", std::string(" 12 ")), 0);
}

TEST_F(JetWriter, ErrorsNameTableAndColumn) {
    const std::string path = exchangeFile();
    auto database = dao::DBEngine().OpenDatabase(path);
    auto records = database.OpenRecordset("TidxTexts");
    records.AddNew();
    records.Fields().Item("L1031").SetValue(std::string(300, 'x'));
    try {
        records.Update();
        FAIL() << "a 300-character text was stored in a 255-character column";
    } catch (const Error& error) {
        EXPECT_NE(error.description().find("'TidxTexts'"), std::string::npos);
        EXPECT_NE(error.description().find("'L1031'"), std::string::npos);
    }
}

TEST_F(JetWriter, IndexedTablesTakeNoRowsAndKeepTheirIndexedColumns) {
    const std::string path = copyOf("jet/Demo.tvs");
    auto database = dao::DBEngine().OpenDatabase(path);
    auto fonts = database.OpenRecordset("TidxFonts");
    fonts.AddNew();
    fonts.Fields().Item("FontID").SetValue(std::int16_t(99));
    try {
        fonts.Update();
        FAIL() << "a row was added to an indexed table";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kReadOnly);
        EXPECT_NE(error.description().find("TidxFonts"), std::string::npos);
    }
    fonts.CancelUpdate();
    fonts.MoveFirst();
    fonts.Edit();
    fonts.Fields().Item("FontID").SetValue(std::int16_t(42));
    EXPECT_EQ(errorNumberOf([&] { fonts.Update(); }), err::kReadOnly);
    fonts.CancelUpdate();
    fonts.Edit();
    fonts.Fields().Item("FontName").SetValue(std::string("Courier New"));
    fonts.Update();
    EXPECT_EQ(std::get<std::string>(fonts.Fields().Item("FontName").Value()), "Courier New");
    database.Close();
}

TEST_F(JetWriter, Jet3FilesAreReadOnlyAndEveryChangeSaysSoAlike) {
    const std::string path = copyOf("jet/real/testV1997.mdb");
    const auto bytes = test::readBytes(path);
    Error column(0, "");
    Error row(0, "");
    {
        auto database = dao::DBEngine().OpenDatabase(path);
        dao::TableDef table = database.TableDefs().Item("Table1");
        column = test::errorOf([&] { table.Fields().Append(table.CreateField("X", 10, 10)); });
        auto records = database.OpenRecordset("Table2");
        records.AddNew();
        row = test::errorOf([&] { records.Update(); });
    }
    const Error compaction = test::errorOf([&] { dao::DBEngine().CompactDatabase(path); });
    for (const Error& refusal : {column, row, compaction}) {
        EXPECT_EQ(refusal.number(), err::kReadOnly);
        EXPECT_EQ(refusal.description(), column.description());
    }
    EXPECT_NE(column.description().find("Jet-3"), std::string::npos);
    EXPECT_NE(column.description().find(path), std::string::npos);
    EXPECT_EQ(test::readBytes(path), bytes);
}

TEST_F(JetWriter, ReadOnlyFileCanBeReadButNotChanged) {
    const std::string path = exchangeFile();
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    if (::access(path.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "running with rights that ignore file permissions";
    }
    EXPECT_EQ(addRow(path, "L1031", std::string("x")), err::kReadOnly);
}

TEST_F(JetWriter, UpdateThatChangesNothingWritesNothing) {
    const std::string path = exchangeFile();
    ASSERT_EQ(addRow(path, "L1031", std::string("gleich")), 0);
    const auto before = test::readBytes(path);
    const auto changedAt = std::filesystem::last_write_time(path);
    auto database = dao::DBEngine().OpenDatabase(path);
    auto records = database.OpenRecordset("TidxTexts");
    records.MoveFirst();
    records.Edit();
    records.Fields().Item("L1031").SetValue(std::string("gleich"));
    records.Fields().Item("ID").SetValue(1.0);
    records.Update();
    database.Close();
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(std::filesystem::last_write_time(path), changedAt);
}

TEST_F(JetWriter, RowsThatGrowReadBackAtOnceAndTheWalkGoesOnOverThem) {
    const std::string path = exchangeFile();
    const auto grown = [](std::int32_t id) {
        std::string text;
        for (int i = 0; i < 120; ++i) {
            text += "Ж";
        }
        return text + std::to_string(id);
    };
    {
        auto database = dao::DBEngine().OpenDatabase(path);
        auto records = database.OpenRecordset("TidxTexts");
        for (std::int32_t id = 0; id < 200; ++id) {
            records.AddNew();
            records.Fields().Item("ID").SetValue(id);
            records.Fields().Item("L1031").SetValue("kurz " + std::to_string(id));
            records.Update();
        }
        std::int32_t walked = 0;
        for (records.MoveFirst(); !records.Eof(); records.MoveNext(), ++walked) {
            const std::int32_t id = std::get<std::int32_t>(records.Fields().Item("ID").Value());
            records.Edit();
            records.Fields().Item("L1031").SetValue(grown(id));
            records.Update();
            EXPECT_EQ(records.Fields().Item("L1031").Value(), Variant(grown(id)));
            EXPECT_EQ(records.Fields().Item("ID").Value(), Variant(id));
        }
        EXPECT_EQ(walked, 200);
        database.Close();
    }
    auto database = dao::DBEngine().OpenDatabase(path);
    auto records = database.OpenRecordset("TidxTexts");
    std::int32_t read = 0;
    for (records.MoveFirst(); !records.Eof(); records.MoveNext(), ++read) {
        const std::int32_t id = std::get<std::int32_t>(records.Fields().Item("ID").Value());
        EXPECT_EQ(records.Fields().Item("L1031").Value(), Variant(grown(id)));
    }
    EXPECT_EQ(read, 200);
}

// Page 1's inline map: a set bit marks a free page; the window starts at page 0 in this file.
TEST_F(JetWriter, GlobalMapClaimsTheNewPagesAndLeavesThePagesAfterTheEndFree) {
    const std::string path = exchangeFile();
    const std::uint32_t pagesBefore = JetDatabase::open(path)->channel().pageCount();
    {
        auto database = dao::DBEngine().OpenDatabase(path);
        auto records = database.OpenRecordset("TidxTexts");
        for (std::int32_t id = 0; id < 3000; ++id) {
            records.AddNew();
            records.Fields().Item("ID").SetValue(id);
            records.Fields().Item("L1031").SetValue(std::string(200, 'x') + std::to_string(id));
            records.Update();
        }
        database.Close();
    }
    ASSERT_GT(JetDatabase::open(path)->channel().pageCount(), pagesBefore + 100)
        << "the file grew by more than one claim";
    const test::GlobalMapFaults faults = test::globalMapFaults(path, pagesBefore);
    EXPECT_TRUE(faults.freeButInFile.empty()) << "new page " << faults.freeButInFile.front();
    EXPECT_TRUE(faults.usedAfterTheEnd.empty()) << "page " << faults.usedAfterTheEnd.front();
}

TEST_F(JetWriter, NewColumnsCarryAllowZeroLengthInTheTableProperties) {
    const std::string path = exchangeFile();
    const auto database = JetDatabase::open(path);
    for (const auto& entry : database->catalog()) {
        if (entry.name != "TidxTexts") {
            continue;
        }
        const auto blob = PropertyBlob::parse(entry.properties, database->format(), {}, 1252);
        EXPECT_EQ(blob.columnFlag("L1031", "AllowZeroLength"), true);
        EXPECT_EQ(blob.columnFlag("L1049", "AllowZeroLength"), false);
        EXPECT_EQ(blob.columnFlag("Description", "AllowZeroLength"), true);
        EXPECT_EQ(PropertyBlob::parse(blob.serialize(), database->format(), {}, 1252).serialize(),
                  blob.serialize());
    }
}

TEST_F(JetWriter, StoredRowsRejoinToTheSameFields) {
    for (const char* file : {"jet/Demo.tvs", "jet/real/overflowTestV2000.mdb",
                             "jet/real/test2V2000.mdb", "jet/real/testUnicodeCompV2003.mdb"}) {
        const auto database = JetDatabase::open(test::dataPath(file));
        for (const auto& name : database->userTableNames()) {
            const auto table = database->table(name);
            const auto& channel = database->channel();
            for (const std::uint32_t number : readUsageMap(channel, table->ownedPages, name)) {
                const PageBuffer buffer = channel.page(number);
                const auto page = channel.view(buffer, number, name);
                for (std::uint16_t slot = 0; slot < page.u16(12); ++slot) {
                    if ((page.u16(14 + 2 * slot) & 0xC000) != 0) {
                        continue;
                    }
                    const std::size_t start = page.u16(14 + 2 * slot) & 0x1FFF;
                    const std::size_t end =
                        slot == 0 ? page.size() : page.u16(12 + 2 * slot) & 0x1FFF;
                    const auto fields =
                        splitRow(page.slice(start, end - start), *table, channel.format());
                    const auto joined = joinRow(*table, fields);
                    EXPECT_EQ(splitRow(ByteView(joined, {}), *table, channel.format()), fields)
                        << file << " " << name << " page " << number << " row " << slot;
                    const auto padded = joinRow(*table, fields, joined.size() + 37);
                    EXPECT_EQ(padded.size(), joined.size() + 37);
                    EXPECT_EQ(splitRow(ByteView(padded, {}), *table, channel.format()), fields)
                        << file << " " << name << " page " << number << " row " << slot
                        << " padded";
                }
            }
        }
    }
}

}  // namespace
}  // namespace glossel::jet
