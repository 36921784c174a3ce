// Changing cells: which format a new cell gets, what an edit keeps, where appended rows go,
// and Excel 97's limits (65,536 rows, 256 columns, 32,767 characters), which are errors naming
// the limit and leave the sheet as it was.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/Error.h"
#include "platform/xls/Workbook.h"
#include "tests/TestDatabase.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

std::unique_ptr<Workbook> openFixture(const std::string& name) {
    return Workbook::fromBytes(test::readBytes(test::dataPath("xls/" + name)), name);
}

using test::errorOf;

std::string repeated(const std::string& piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(WorksheetEdit, NewCellTakesTheFormatOfItsRowElseItsColumn) {
    // Excel file: row 9 has its own XF 28; columns A and E have COLINFO XFs 23 and 35.
    const auto workbook = openFixture("real/excel_poi_29982.xls");
    Worksheet& sheet = workbook->worksheet("Plan1");
    ASSERT_FALSE(sheet.cellXf(8, 11));
    sheet.setCell(8, 11, std::string("Zeile"));
    EXPECT_EQ(sheet.cellXf(8, 11), 28);
    const std::uint32_t row =
        sheet.appendRow(std::vector<CellValue>{1.0, Empty{}, Empty{}, Empty{}, 5.0});
    EXPECT_EQ(sheet.cellXf(row, 0), 23);
    EXPECT_EQ(sheet.cellXf(row, 4), 35);
    EXPECT_FALSE(sheet.cellXf(row, 1));
}

TEST(WorksheetEdit, NewCellWithoutRowOrColumnFormatTakesTheDefault) {
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    sheet.setCell(3, 200, true);  // covered by no COLINFO of the template
    EXPECT_EQ(sheet.cellXf(3, 200), 15);
}

TEST(WorksheetEdit, EditKeepsTheFormatAndEmptyKeepsAFormattedCell) {
    test::TempDir dir;
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    sheet.setCell(0, 2, 12.5);
    sheet.setCell(0, 3, Empty{});
    EXPECT_EQ(sheet.cellXf(0, 2), 21);
    EXPECT_EQ(sheet.cellXf(0, 3), 21);
    EXPECT_EQ(sheet.cell(0, 3), CellValue(Empty{}));
    const std::string path = dir.path("edited.xls");
    test::writeBytes(path, workbook->toBytes());
    test::expectSameListing(test::engineListing(*workbook), test::xlrdListing(path));
}

TEST(WorksheetEdit, EmptyWhereNoCellIsChangesNothing) {
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    sheet.setCell(7, 1, Empty{});
    EXPECT_FALSE(workbook->modified());
    EXPECT_EQ(sheet.rowCount(), 1u);
}

TEST(WorksheetEdit, AppendedRowsFollowOneAnotherEvenWhenEmpty) {
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    EXPECT_EQ(sheet.appendRow(std::vector<CellValue>{Empty{}, Empty{}}), 1u);
    EXPECT_EQ(sheet.appendRow(std::vector<CellValue>{}), 2u);
    EXPECT_EQ(sheet.appendRow(std::vector<CellValue>{0.0}), 3u);
    EXPECT_EQ(sheet.rowCount(), 4u);
}

TEST(WorksheetLimits, LastRowAndColumnHoldCellsXlrdReads) {
    test::TempDir dir;
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    sheet.setCell(65535, 255, std::string("IV65536"));
    sheet.setCell(65535, 0, 65536.0);
    EXPECT_EQ(sheet.rowCount(), 65536u);
    EXPECT_EQ(sheet.columnCount(), 256u);
    const std::string path = dir.path("corner.xls");
    test::writeBytes(path, workbook->toBytes());
    test::expectSameListing(test::engineListing(*workbook), test::xlrdListing(path));
}

TEST(WorksheetLimits, RowPast65536IsAnErrorNamingTheLimit) {
    const auto workbook = openFixture("Export.xls");
    const Error error = errorOf([&] { workbook->worksheet(0).setCell(65536, 0, 1.0); });
    EXPECT_EQ(error.number(), err::kSpreadsheetFull);
    EXPECT_NE(error.description().find("65.536 Zeilen"), std::string::npos);
}

TEST(WorksheetLimits, ColumnPastIvIsAnErrorNamingTheLimit) {
    const auto workbook = openFixture("Export.xls");
    const Error error = errorOf([&] { workbook->worksheet(0).setCell(1, 256, 1.0); });
    EXPECT_EQ(error.number(), err::kSpreadsheetFull);
    EXPECT_NE(error.description().find("256 Spalten"), std::string::npos);
}

TEST(WorksheetLimits, TextLimitCountsUtf16Units) {
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    sheet.setCell(1, 1, std::string(32767, 'x'));
    sheet.setCell(2, 1, repeated("😀", 16383) + "x");
    for (const std::string& tooLong : {std::string(32768, 'x'), repeated("😀", 16384)}) {
        const Error error = errorOf([&] { sheet.setCell(3, 1, tooLong); });
        EXPECT_EQ(error.number(), err::kFieldTooSmall);
        EXPECT_NE(error.description().find("32.767 Zeichen"), std::string::npos);
        EXPECT_NE(error.description().find("B4"), std::string::npos);
    }
    EXPECT_FALSE(sheet.cellXf(3, 1));
}

TEST(WorksheetLimits, FailedAppendChangesNothing) {
    const auto workbook = openFixture("Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    const std::vector<CellValue> tooWide(257, CellValue(1.0));
    EXPECT_EQ(errorOf([&] { sheet.appendRow(tooWide); }).number(), err::kSpreadsheetFull);
    const std::vector<CellValue> tooLong{1.0, std::string("gut"), std::string(40000, 'x')};
    EXPECT_EQ(errorOf([&] { sheet.appendRow(tooLong); }).number(), err::kFieldTooSmall);
    EXPECT_EQ(sheet.rowCount(), 1u);
    EXPECT_FALSE(workbook->modified());
    sheet.setCell(65535, 0, 1.0);
    EXPECT_EQ(errorOf([&] { sheet.appendRow(std::vector<CellValue>{2.0}); }).number(),
              err::kSpreadsheetFull);
}

TEST(WorksheetLimits, NumbersExcelCannotHoldAreRefused) {
    const auto workbook = openFixture("Export.xls");
    for (double number : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        EXPECT_EQ(errorOf([&] { workbook->worksheet(0).setCell(1, 0, number); }).number(),
                  err::kInvalidArgument);
    }
}

}  // namespace
}  // namespace glossel::xls
