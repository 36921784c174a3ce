// Table definitions of files written by Access and by another engine: every section parses to the
// definition's end, indexes name their columns, and every memo or OLE column has its page maps.
#include <gtest/gtest.h>

#include "platform/jet/JetDatabase.h"
#include "tests/TestFiles.h"

namespace glossel::jet {
namespace {

bool isLongValue(const ColumnDefinition& column) {
    return column.type == column_type::kMemo || column.type == column_type::kOle;
}

TEST(TableDefinition, EveryFixtureTableParsesToItsEnd) {
    for (const char* file :
         {"jet/Demo.tvs", "jet/ExportMemo.mdb", "jet/real/testV1997.mdb", "jet/real/test2V1997.mdb",
          "jet/real/test2V2000.mdb", "jet/real/overflowTestV2000.mdb",
          "jet/real/testUnicodeCompV2003.mdb"}) {
        const auto database = JetDatabase::open(test::dataPath(file));
        for (const auto& entry : database->catalog()) {
            if (!entry.isLocalTable()) {
                continue;
            }
            const auto table = database->table(entry.name);
            SCOPED_TRACE(std::string(file) + " " + entry.name);
            ASSERT_GE(table->stored.size(), 2u);
            EXPECT_EQ(table->stored[table->stored.size() - 2], 0xFF);
            EXPECT_EQ(table->stored.back(), 0xFF);
            for (const auto& column : table->columns) {
                EXPECT_EQ(isLongValue(column), table->longValueMapsOf(column.number) != nullptr)
                    << column.name;
            }
        }
    }
}

TEST(TableDefinition, IndexesNameTheirColumns) {
    const auto database = JetDatabase::open(test::dataPath("jet/Demo.tvs"));
    const auto fonts = database->table("TidxFonts");
    ASSERT_EQ(fonts->indexes.size(), 1u);
    ASSERT_EQ(fonts->indexes[0].columnNumbers.size(), 1u);
    EXPECT_EQ(fonts->column(fonts->indexes[0].columnNumbers[0])->name, "FontID");
    EXPECT_TRUE(database->table("TidxTexts")->indexes.empty());

    const auto catalog = database->table("MSysObjects");
    EXPECT_EQ(catalog->indexes.size(), 2u);
}

}  // namespace
}  // namespace glossel::jet
