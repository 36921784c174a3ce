// Compacting a finished exchange database: after rows grew past their slots, the table holds its
// rows in their order again, without moved rows, in a file hardly larger than a fresh write of
// the same rows; files that are in use or only read are refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/dao/DBEngine.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::jet {
namespace {

namespace fs = std::filesystem;
using test::Rows;

constexpr int kRows = 3000;

std::string latinText(int id) {
    return "Foerderband " + std::to_string(id) + ": Kuehlwasserdurchfluss, bitte pruefen";
}

std::string cyrillicText(int id) {
    return "Конвейер " + std::to_string(id) + ": Расход охлаждающей воды, проверьте";
}

class JetCompaction : public ::testing::Test {
protected:
    // A copy of the exchange template with two language columns.
    std::string exchangeFile(const std::string& name) {
        const std::string path = dir_.path(name);
        fs::copy_file(test::dataPath("jet/Export.mdb"), path);
        fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
        auto database = dao::DBEngine().OpenDatabase(path);
        dao::TableDef table = database.TableDefs().Item("TidxTexts");
        for (const char* column : {"L1031", "L1049"}) {
            table.Fields().Append(table.CreateField(column, 10, 255));
        }
        database.Close();
        return path;
    }

    void append(const std::string& path, const Rows& rows) {
        auto database = dao::DBEngine().OpenDatabase(path);
        auto records = database.OpenRecordset("TidxTexts");
        for (const auto& row : rows) {
            records.AddNew();
            for (std::size_t i = 0; i < row.size(); ++i) {
                records.Fields().Item(i).SetValue(row[i]);
            }
            records.Update();
        }
        database.Close();
    }

    // The exchange file as the export leaves it before compacting: rows appended with Latin
    // texts, then each Russian text rewritten in Cyrillic, which no longer fits the row's slot.
    std::string grownExchangeFile() {
        const std::string path = exchangeFile("grown.mdb");
        Rows rows;
        for (int id = 1; id <= kRows; ++id) {
            rows.push_back(
                {std::int32_t(id), "Text " + std::to_string(id), latinText(id), latinText(id)});
        }
        append(path, rows);
        auto database = dao::DBEngine().OpenDatabase(path);
        auto records = database.OpenRecordset("TidxTexts");
        for (records.MoveFirst(); !records.Eof(); records.MoveNext()) {
            const auto id = std::get<std::int32_t>(records.Fields().Item("ID").Value());
            records.Edit();
            records.Fields().Item("L1049").SetValue(cyrillicText(id));
            records.Update();
        }
        database.Close();
        return path;
    }

    test::TempDir dir_;
};

TEST_F(JetCompaction, RowsComeBackInTheirOrderWithoutMovedRows) {
    const std::string path = grownExchangeFile();
    const Rows before = test::readRows(path, "TidxTexts");
    ASSERT_GT(test::movedRowSlots(path, "TidxTexts"),
              kRows);  // each grown row: a pointer and its moved data

    dao::DBEngine().CompactDatabase(path);
    EXPECT_EQ(test::movedRowSlots(path, "TidxTexts"), 0);
    EXPECT_EQ(test::readRows(path, "TidxTexts"), before);
    std::vector<int> ids(kRows);
    for (int i = 0; i < kRows; ++i) {
        ids[static_cast<std::size_t>(i)] = i + 1;
    }
    EXPECT_EQ(test::idsAsMdbtoolsReadsThem(path, "TidxTexts"), ids);
    EXPECT_EQ(before[41][3], Variant(cyrillicText(42)));
}

TEST_F(JetCompaction, FileIsAtMostATenthLargerThanAFreshWriteOfTheSameRows) {
    const std::string path = grownExchangeFile();
    const std::string fresh = exchangeFile("fresh.mdb");
    append(fresh, test::readRows(path, "TidxTexts"));
    const auto freshSize = fs::file_size(fresh);
    ASSERT_GT(fs::file_size(path), freshSize * 11 / 10);

    dao::DBEngine().CompactDatabase(path);
    EXPECT_LE(fs::file_size(path), freshSize * 11 / 10);
    // What is left can grow again: new rows and changes go in as in any file.
    append(path, {{std::int32_t(kRows + 1), std::string("neu"), std::string("neu"),
                   cyrillicText(kRows + 1)}});
    const Rows after = test::readRows(path, "TidxTexts");
    ASSERT_EQ(after.size(), static_cast<std::size_t>(kRows + 1));
    EXPECT_EQ(after.back()[3], Variant(cyrillicText(kRows + 1)));
}

TEST_F(JetCompaction, FilesInUseOrOnlyReadAreRefusedAndLeftAsTheyWere) {
    const std::string path = grownExchangeFile();
    const auto bytes = test::readBytes(path);
    {
        auto open = dao::DBEngine().OpenDatabase(path);
        EXPECT_EQ(test::errorNumberOf([&] { dao::DBEngine().CompactDatabase(path); }),
                  err::kFileInUse);
        open.Close();
    }
    const std::string jet3 = dir_.path("jet3.mdb");
    fs::copy_file(test::dataPath("jet/real/testV1997.mdb"), jet3);
    fs::permissions(jet3, fs::perms::owner_write, fs::perm_options::add);
    const auto jet3Bytes = test::readBytes(jet3);
    EXPECT_EQ(test::errorNumberOf([&] { dao::DBEngine().CompactDatabase(jet3); }), err::kReadOnly);
    EXPECT_EQ(test::readBytes(path), bytes);
    EXPECT_EQ(test::readBytes(jet3), jet3Bytes);
}

}  // namespace
}  // namespace glossel::jet
