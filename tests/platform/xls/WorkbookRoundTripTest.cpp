// The exporter's use of the template, end to end: header cells, a record with ID 0, thousands
// of appended rows of every kind of text, every text of a column edited, closed, and read back
// by the engine and by xlrd, which must agree cell by cell with each other and with what was
// written.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

constexpr std::size_t kRows = 3000;
constexpr std::uint16_t kTemplateColumnXf = 15;  // COLINFO XF of columns A-E in the template
constexpr std::uint16_t kHeaderXf = 21;          // the bold header cells

using Sheet = std::vector<std::vector<CellValue>>;

// Fills a copy of the template the way the exporter does; returns what the sheet must hold.
Sheet exportInto(const std::string& path) {
    Sheet expected{{std::string("ID"), std::string("Description"), std::string("Deutsch"),
                    std::string("Русский"), std::string("日本語 😀")}};
    spreadsheet::WorkbookHandle workbook = openWorkbook(path);
    spreadsheet::Worksheet& sheet = workbook->worksheet("TidxTexts");
    for (std::uint32_t column = 2; column < 5; ++column) {
        sheet.setCell(0, column, expected[0][column]);
    }
    expected.push_back({0.0});
    EXPECT_EQ(sheet.appendRow(expected.back()), 1u);
    for (std::size_t i = 0; i < kRows; ++i) {
        std::vector<CellValue> row{static_cast<double>(i + 1) + (i % 7 == 0 ? 0.25 : 0.0),
                                   test::sampleText(i), test::sampleText(i + 3),
                                   i % 5 == 0 ? CellValue(Empty{}) : test::sampleText(i + 5),
                                   test::sampleText(i * 7)};
        sheet.appendRow(row);
        expected.push_back(row);
    }
    for (std::size_t row = 1; row < expected.size(); ++row) {
        if (expected[row].size() > 3 && std::holds_alternative<std::string>(expected[row][3])) {
            expected[row][3] = "Übersetzung " + std::to_string(row) + " – перевод";
            sheet.setCell(static_cast<std::uint32_t>(row), 3, expected[row][3]);
        }
    }
    workbook.close();
    return expected;
}

class WorkbookRoundTrip : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy_file(test::dataPath("xls/Export.xls"), path_);
        expected_ = exportInto(path_);
    }

    test::TempDir dir_;
    std::string path_ = dir_.path("Export.xls");
    Sheet expected_;
};

TEST_F(WorkbookRoundTrip, EngineReadsBackWhatWasWritten) {
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    const Worksheet& sheet = test::biff8(workbook).worksheet(0);
    ASSERT_EQ(sheet.rowCount(), expected_.size());
    EXPECT_EQ(sheet.columnCount(), 5u);
    for (std::uint32_t row = 0; row < expected_.size(); ++row) {
        for (std::uint32_t column = 0; column < 5; ++column) {
            const CellValue wanted =
                column < expected_[row].size() ? expected_[row][column] : CellValue(Empty{});
            ASSERT_EQ(sheet.cell(row, column), wanted) << "row " << row << ", column " << column;
        }
    }
    EXPECT_EQ(sheet.cellXf(0, 2), kHeaderXf);
    EXPECT_EQ(sheet.cellXf(1, 0), kTemplateColumnXf);
    EXPECT_EQ(sheet.cellXf(kRows, 4), kTemplateColumnXf);
}

TEST_F(WorkbookRoundTrip, XlrdAgreesCellByCell) {
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    test::expectSameListing(test::engineListing(test::biff8(workbook)), test::xlrdListing(path_));
}

TEST_F(WorkbookRoundTrip, PositionsAreConsistent) {
    test::expectConsistentPositions(test::workbookStream(test::readBytes(path_)));
}

TEST_F(WorkbookRoundTrip, RewritingOwnOutputChangesNothing) {
    const auto stream = test::workbookStream(test::readBytes(path_));
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    EXPECT_EQ(test::workbookStream(test::biff8(workbook).toBytes()), stream);
}

TEST_F(WorkbookRoundTrip, SecondSessionEditsAndAppendsAgain) {
    {
        spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
        spreadsheet::Worksheet& sheet = workbook->worksheet(0);
        sheet.setCell(1, 1, std::string("nachträglich"));
        EXPECT_EQ(sheet.appendRow(std::vector<CellValue>{99999.0, std::string("letzte")}),
                  expected_.size());
        workbook.close();
    }
    spreadsheet::WorkbookHandle workbook = openWorkbook(path_);
    EXPECT_EQ(workbook->worksheet(0).cell(1, 1), CellValue(std::string("nachträglich")));
    EXPECT_EQ(workbook->worksheet(0).rowCount(), expected_.size() + 1);
    test::expectSameListing(test::engineListing(test::biff8(workbook)), test::xlrdListing(path_));
    test::expectConsistentPositions(test::workbookStream(test::readBytes(path_)));
}

}  // namespace
}  // namespace glossel::xls
