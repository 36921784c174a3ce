// A workbook too large for one piece of the stream: the string table and the worksheet leave in
// several pieces, and every position the stream holds must still point where the bytes went.
#include <gtest/gtest.h>

#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

constexpr std::uint32_t kRows = 40000;

std::unique_ptr<Workbook> largeWorkbook() {
    auto workbook =
        Workbook::fromBytes(test::readBytes(test::dataPath("xls/Export.xls")), "Export.xls");
    Worksheet& sheet = workbook->worksheet(0);
    for (std::uint32_t row = 0; row < kRows; ++row) {
        sheet.appendRow(std::vector<CellValue>{
            static_cast<double>(row), std::string("Meldung ") + std::to_string(row) + " Größe",
            std::string("Сообщение ") + std::to_string(row), 0.5 + row});
    }
    return workbook;
}

TEST(StreamPieces, LargeWorkbookReadsBackWithConsistentPositions) {
    const auto workbook = largeWorkbook();
    const auto bytes = workbook->toBytes();
    const auto stream = test::workbookStream(bytes);
    ASSERT_GT(stream.size(), 3 * kStreamPieceSize);
    test::expectConsistentPositions(stream);

    const auto reread = Workbook::fromBytes(bytes, "large.xls");
    const Worksheet& sheet = reread->worksheet(0);
    const std::uint32_t first = sheet.rowCount() - kRows;
    for (const std::uint32_t row : {0u, 1u, kRows / 2, kRows - 1}) {
        EXPECT_EQ(sheet.cell(first + row, 0), CellValue(static_cast<double>(row)));
        EXPECT_EQ(sheet.cell(first + row, 2),
                  CellValue(std::string("Сообщение ") + std::to_string(row)));
    }
}

}  // namespace
}  // namespace glossel::xls
