// Adding text columns to tables with indexes (a primary key made by another engine, and the
// Access-written table with a primary key and a second index) and changing them: every index keeps
// its columns and the part of the definition after the column names, and the rows keep their
// other values.
#include <gtest/gtest.h>

#include "platform/jet/ColumnAdder.h"
#include "platform/jet/PageStore.h"
#include "platform/jet/TableWriter.h"
#include "tests/TestFiles.h"

namespace glossel::jet {
namespace {

struct Indexed {
    const char* file;
    const char* table;
};

// The bytes of a definition after its column names: the index sections.
std::vector<std::uint8_t> indexSections(const TableDefinition& table) {
    return {table.stored.begin() + static_cast<std::ptrdiff_t>(table.columnNamesEnd),
            table.stored.end()};
}

TEST(IndexedTableColumn, NewTextColumnsAndTheirTextsLeaveEveryIndexAsItWas) {
    for (const Indexed& indexed : {Indexed{"jet/PrimaryKey.tvs", "TidxTexts"},
                                   Indexed{"jet/real/testUnicodeCompV2003.mdb", "Table"}}) {
        SCOPED_TRACE(indexed.file);
        auto database = JetDatabase::open(
            std::make_unique<MemoryStore>(test::readBytes(test::dataPath(indexed.file))),
            indexed.file);
        const auto before = database->table(indexed.table);
        ASSERT_FALSE(before->indexes.empty());
        std::vector<std::vector<Variant>> rowsBefore;
        for (TableCursor rows = database->rows(before); rows.next();) {
            rowsBefore.emplace_back();
            for (std::size_t i = 0; i < before->columns.size(); ++i) {
                rowsBefore.back().push_back(rows.value(i));
            }
        }

        addTextColumn(database, indexed.table, {"L1049", 255, true});
        addTextColumn(database, indexed.table, {"L1031", 255, true});
        const auto grown = database->table(indexed.table);
        ASSERT_EQ(grown->columns.size(), before->columns.size() + 2);
        EXPECT_EQ(grown->columns.back().name, "L1031");
        ASSERT_EQ(grown->indexes.size(), before->indexes.size());
        for (std::size_t i = 0; i < before->indexes.size(); ++i) {
            EXPECT_EQ(grown->indexes[i].name, before->indexes[i].name);
            EXPECT_EQ(grown->indexes[i].columnNumbers, before->indexes[i].columnNumbers);
            EXPECT_EQ(grown->indexes[i].primaryKey, before->indexes[i].primaryKey);
        }
        EXPECT_EQ(indexSections(*grown), indexSections(*before));

        TableWriter writer(database, indexed.table);
        std::vector<std::optional<Variant>> changes(grown->columns.size());
        changes[grown->columns.size() - 2] = std::string("Ïðèâåò");
        std::size_t row = 0;
        for (TableCursor rows = database->rows(grown); rows.next(); ++row) {
            writer.updateRow(rows.position(), changes);
        }
        database->channel().flushAll();
        row = 0;
        for (TableCursor rows = database->rows(database->table(indexed.table)); rows.next();
             ++row) {
            for (std::size_t i = 0; i < before->columns.size(); ++i) {
                EXPECT_EQ(rows.value(i), rowsBefore[row][i]) << row << " " << i;
            }
            EXPECT_EQ(rows.value(grown->columns.size() - 2), Variant(std::string("Ïðèâåò")));
            EXPECT_TRUE(isNull(rows.value(grown->columns.size() - 1)));
        }
        EXPECT_EQ(row, rowsBefore.size());
    }
}

}  // namespace
}  // namespace glossel::jet
