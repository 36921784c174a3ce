// Reading every kind of cell record (inline LABEL; NUMBER; RK; MULRK; BOOLERR; BLANK; MULBLANK;
// FORMULA with number, text from STRING (also cut by a CONTINUE), boolean, error and empty
// results, also behind a SHRFMLA) the way xlrd reads them, and writing them back.
#include <gtest/gtest.h>

#include <bit>

#include "platform/ByteOrder.h"
#include "platform/Error.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/RecordWriter.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

constexpr std::uint16_t kXf = 15;

void record(Bytes& out, std::uint16_t recordId, const Bytes& body) {
    const std::size_t header = beginRecord(out, recordId);
    out.insert(out.end(), body.begin(), body.end());
    endRecord(out, header);
}

Bytes cell(std::uint16_t row, std::uint16_t column) {
    Bytes body;
    le::append16(body, row);
    le::append16(body, column);
    le::append16(body, kXf);
    return body;
}

// A FORMULA "=42" with the given 8-byte cached result.
Bytes formula(std::uint16_t row, std::uint16_t column, const Bytes& result) {
    Bytes body = cell(row, column);
    body.insert(body.end(), result.begin(), result.end());
    le::append16(body, 0);
    le::append32(body, 0);
    le::append16(body, 3);
    body.insert(body.end(), {0x1E, 42, 0});
    return body;
}

Bytes special(std::uint8_t type, std::uint8_t value) {
    return {type, 0, value, 0, 0, 0, 0xFF, 0xFF};
}

Bytes craftedCells() {
    Bytes out;
    Bytes label = cell(1, 0);
    le::append16(label, 13);
    le::append8(label, 0x01);
    for (char16_t c : std::u16string(u"Inline – Text")) {
        le::append16(label, c);
    }
    record(out, id::kLabel, label);
    Bytes number = cell(1, 1);
    le::append64(number, std::bit_cast<std::uint64_t>(3.14159));
    record(out, id::kNumber, number);
    Bytes rkInteger = cell(1, 2);
    le::append32(rkInteger, 0xFFFFFFE6);  // -7
    record(out, id::kRk, rkInteger);
    Bytes rkHundredths = cell(1, 3);
    le::append32(rkHundredths, 0x1F7);  // 1.25
    record(out, id::kRk, rkHundredths);

    Bytes mulRk;
    le::append16(mulRk, 2);
    le::append16(mulRk, 0);
    for (std::uint32_t rk : {0x2BU, 0x192U, 0x40040000U}) {  // 0.1, 100, 2.5
        le::append16(mulRk, kXf);
        le::append32(mulRk, rk);
    }
    le::append16(mulRk, 2);
    record(out, id::kMulRk, mulRk);
    Bytes boolean = cell(2, 3);
    boolean.insert(boolean.end(), {1, 0});
    record(out, id::kBoolErr, boolean);
    Bytes error = cell(2, 4);
    error.insert(error.end(), {0x07, 1});
    record(out, id::kBoolErr, error);

    record(out, id::kBlank, cell(3, 0));
    Bytes mulBlank;
    le::append16(mulBlank, 3);
    le::append16(mulBlank, 1);
    le::append16(mulBlank, kXf);
    le::append16(mulBlank, kXf);
    le::append16(mulBlank, 2);
    record(out, id::kMulBlank, mulBlank);
    Bytes numberResult;
    le::append64(numberResult, std::bit_cast<std::uint64_t>(42.5));
    record(out, id::kFormula, formula(3, 3, numberResult));
    record(out, id::kFormula, formula(3, 4, special(1, 0)));

    record(out, id::kFormula, formula(4, 0, special(0, 0)));
    Bytes string;
    le::append16(string, 10);
    le::append8(string, 0x01);
    for (char16_t c : std::u16string(u"Ergebnis ✓")) {
        le::append16(string, c);
    }
    record(out, id::kString, string);
    record(out, id::kFormula, formula(4, 1, special(2, 0x2A)));
    record(out, id::kFormula, formula(4, 2, special(3, 0)));
    record(out, id::kFormula, formula(4, 3, special(0, 0)));
    record(out, id::kShrFmla, {4, 0, 4, 0, 3, 3, 0, 1, 3, 0, 0x1E, 1, 0});
    Bytes shortString;
    le::append16(shortString, 2);
    le::append8(shortString, 0);
    shortString.insert(shortString.end(), {'o', 'k'});
    record(out, id::kString, shortString);

    // A text result of 9,000 characters: 8,221 in the STRING record, the rest in a CONTINUE
    // that starts with its own flags byte.
    record(out, id::kFormula, formula(5, 0, special(0, 0)));
    Bytes longString;
    le::append16(longString, 9000);
    le::append8(longString, 0);
    longString.insert(longString.end(), kMaxRecordData - longString.size(), 'a');
    record(out, id::kString, longString);
    Bytes rest{0x00};
    rest.insert(rest.end(), 9000 - (kMaxRecordData - 3), 'b');
    record(out, id::kContinue, rest);
    return out;
}

// The template with the crafted cells after its header row.
std::vector<std::uint8_t> craftedWorkbook() {
    const auto file = test::readBytes(test::dataPath("xls/Export.xls"));
    auto stream = test::workbookStream(file);
    const auto records = test::walkStream(stream);
    const auto drawing = std::find_if(records.begin(), records.end(),
                                      [](const auto& r) { return r.id == id::kMsoDrawing; });
    const Bytes cells = craftedCells();
    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(drawing->position), cells.begin(),
                  cells.end());
    return test::withWorkbookStream(file, stream);
}

class CellKinds : public testing::Test {
protected:
    void SetUp() override { test::writeBytes(path_, craftedWorkbook()); }

    test::TempDir dir_;
    std::string path_ = dir_.path("cells.xls");
};

TEST_F(CellKinds, EngineReadsEveryKindAsXlrdDoes) {
    const auto workbook = Workbook::fromBytes(test::readBytes(path_), path_);
    const Worksheet& sheet = workbook->worksheet(0);
    EXPECT_EQ(sheet.cell(1, 0), CellValue(std::string("Inline – Text")));
    EXPECT_EQ(sheet.cell(1, 2), CellValue(-7.0));
    EXPECT_EQ(sheet.cell(1, 3), CellValue(1.25));
    EXPECT_EQ(sheet.cell(2, 0), CellValue(0.1));
    EXPECT_EQ(sheet.cell(2, 2), CellValue(2.5));
    EXPECT_EQ(sheet.cell(2, 3), CellValue(true));
    EXPECT_EQ(sheet.cell(2, 4), CellValue(CellError::DivisionByZero));
    EXPECT_EQ(sheet.cell(3, 1), CellValue(Empty{}));
    EXPECT_EQ(sheet.cellXf(3, 1), kXf);
    EXPECT_EQ(sheet.cell(3, 4), CellValue(false));
    EXPECT_EQ(sheet.cell(4, 0), CellValue(std::string("Ergebnis ✓")));
    EXPECT_EQ(sheet.cell(4, 1), CellValue(CellError::NotAvailable));
    EXPECT_EQ(sheet.cell(4, 2), CellValue(std::string()));
    EXPECT_EQ(sheet.cell(4, 3), CellValue(std::string("ok")));
    EXPECT_EQ(sheet.cell(5, 0), CellValue(std::string(8221, 'a') + std::string(779, 'b')));
    test::expectSameListing(test::engineListing(*workbook), test::xlrdListing(path_));
}

TEST_F(CellKinds, WrittenBackXlrdReadsTheSame) {
    const auto workbook = Workbook::fromBytes(test::readBytes(path_), path_);
    const std::string copy = dir_.path("copy.xls");
    test::writeBytes(copy, workbook->toBytes());
    test::expectSameListing(test::xlrdListing(copy), test::engineListing(*workbook));
    test::expectConsistentPositions(test::workbookStream(test::readBytes(copy)));
}

TEST_F(CellKinds, SharedFormulaDefinitionCannotBeOverwritten) {
    const auto workbook = Workbook::fromBytes(test::readBytes(path_), path_);
    Worksheet& sheet = workbook->worksheet(0);
    try {
        sheet.setCell(4, 3, std::string("neu"));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), err::kInvalidOperation);
        EXPECT_NE(error.description().find("D5"), std::string::npos);
    }
    sheet.setCell(4, 0, 7.0);  // a plain formula cell becomes a number
    EXPECT_EQ(sheet.cell(4, 0), CellValue(7.0));
    EXPECT_EQ(sheet.cellXf(4, 0), kXf);
}

TEST(CellTable, SheetWithoutRowRecordsOrDimensionsGetsThemWritten) {
    test::TempDir dir;
    const auto file = test::readBytes(test::dataPath("xls/Export.xls"));
    auto stream = test::workbookStream(file);
    const auto records = test::walkStream(stream);
    for (auto record = records.rbegin(); record != records.rend(); ++record) {
        if (record->id == id::kRow || record->id == id::kDimensions) {
            const auto at = stream.begin() + static_cast<std::ptrdiff_t>(record->position);
            stream.erase(at, at + 4 + static_cast<std::ptrdiff_t>(record->size));
        }
    }
    const auto workbook = Workbook::fromBytes(test::withWorkbookStream(file, stream), "bare.xls");
    EXPECT_EQ(workbook->worksheet(0).columnCount(), 5u);
    workbook->worksheet(0).appendRow(std::vector<CellValue>{1.0, std::string("neu")});
    const std::string path = dir.path("completed.xls");
    test::writeBytes(path, workbook->toBytes());
    const auto written = test::workbookStream(test::readBytes(path));
    const auto kinds = test::walkStream(written);
    EXPECT_EQ(
        std::count_if(kinds.begin(), kinds.end(), [](const auto& r) { return r.id == id::kRow; }),
        2);
    EXPECT_EQ(std::count_if(kinds.begin(), kinds.end(),
                            [](const auto& r) { return r.id == id::kDimensions; }),
              1);
    test::expectConsistentPositions(written);
    test::expectSameListing(test::xlrdListing(path), test::engineListing(*workbook));
}

}  // namespace
}  // namespace glossel::xls
