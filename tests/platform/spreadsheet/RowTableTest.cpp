// The rows of a worksheet by number: walked in ascending order whatever order they came in, and
// the first and last row right after rows at either end are given up.
#include "platform/spreadsheet/RowTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace glossel::spreadsheet {
namespace {

struct NoRecord {};
using Rows = RowTable<NoRecord>;

std::vector<std::uint32_t> numbers(Rows::Iterator begin, Rows::Iterator end) {
    std::vector<std::uint32_t> held;
    for (auto row = begin; row != end; ++row) {
        held.push_back((*row).first);
    }
    return held;
}

TEST(RowTable, WalksRowsInAscendingOrderAndFromAnyNumber) {
    Rows rows;
    for (std::uint32_t number : {40, 5, 65535, 7, 5}) {
        rows[number].cells.push_back(Cell{static_cast<std::uint16_t>(number)});
    }
    EXPECT_EQ(numbers(rows.begin(), rows.end()), (std::vector<std::uint32_t>{5, 7, 40, 65535}));
    EXPECT_EQ(numbers(rows.from(6), rows.from(41)), (std::vector<std::uint32_t>{7, 40}));
    EXPECT_EQ(numbers(rows.from(70000), rows.end()), std::vector<std::uint32_t>{});
    EXPECT_EQ(rows.find(5)->cells.size(), 2u);
    EXPECT_EQ(rows.find(6), nullptr);
    EXPECT_EQ(rows.first(), 5);
    EXPECT_EQ(rows.last(), 65535);
}

TEST(RowTable, GivingUpRowsAtEitherEndMovesFirstAndLast) {
    Rows rows;
    rows[3];
    rows[9];
    rows[12];
    rows.erase(12);
    EXPECT_EQ(rows.last(), 9);
    rows.erase(3);
    EXPECT_EQ(rows.first(), 9);
    rows.erase(4);
    EXPECT_EQ(numbers(rows.begin(), rows.end()), std::vector<std::uint32_t>{9});
    rows.erase(9);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(rows.begin(), rows.end());
    rows[2];
    EXPECT_EQ(rows.first(), 2);
    EXPECT_EQ(rows.last(), 2);
}

}  // namespace
}  // namespace glossel::spreadsheet
