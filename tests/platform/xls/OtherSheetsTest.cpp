// Sheets the engine keeps as read (here an Excel 4 macro sheet): written elsewhere in the
// stream, their INDEX positions move with them and their LABELSST cells keep their texts while
// the shared string table is rebuilt around them.
#include <gtest/gtest.h>

#include "platform/ByteOrder.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/RecordWriter.h"
#include "platform/xls/SstRecord.h"
#include "platform/xls/Workbook.h"
#include "tests/TestFiles.h"
#include "tests/platform/xls/XlsTestSupport.h"

namespace glossel::xls {
namespace {

void record(Bytes& out, std::uint16_t recordId, const Bytes& body) {
    const std::size_t header = beginRecord(out, recordId);
    out.insert(out.end(), body.begin(), body.end());
    endRecord(out, header);
}

// The template with a macro sheet "Makro" after its worksheet: INDEX (pointing at the macro
// sheet's DEFCOLWIDTH), DEFCOLWIDTH and a LABELSST cell showing SST entry 4 ("Sprache 3").
std::vector<std::uint8_t> withMacroSheet() {
    const auto file = test::readBytes(test::dataPath("xls/Export.xls"));
    auto stream = test::workbookStream(file);
    const auto records = test::walkStream(stream);
    const auto boundSheet = std::find_if(records.begin(), records.end(),
                                         [](const auto& r) { return r.id == id::kBoundSheet; });
    Bytes macroBoundSheet;
    record(macroBoundSheet, id::kBoundSheet, {0, 0, 0, 0, 0, 1, 5, 0, 'M', 'a', 'k', 'r', 'o'});
    const std::size_t insertAt = boundSheet->position + 4 + boundSheet->size;
    stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(insertAt), macroBoundSheet.begin(),
                  macroBoundSheet.end());
    le::set32(stream, boundSheet->position + 4,
              test::u32At(stream, boundSheet->position + 4) +
                  static_cast<std::uint32_t>(macroBoundSheet.size()));
    const std::uint32_t macroStart = static_cast<std::uint32_t>(stream.size());
    le::set32(stream, insertAt + 4, macroStart);
    Bytes macro;
    record(macro, id::kBof, {0x00, 0x06, 0x40, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Bytes index(16, 0);
    le::set32(index, 12, macroStart + 20 + 20);  // after BOF (20) and INDEX (20)
    record(macro, id::kIndex, index);
    record(macro, id::kDefColWidth, {8, 0});
    record(macro, id::kLabelSst, {0, 0, 0, 0, 15, 0, 4, 0, 0, 0});
    record(macro, id::kEof, {});
    stream.insert(stream.end(), macro.begin(), macro.end());
    return test::withWorkbookStream(file, stream);
}

std::string sstText(const std::vector<std::uint8_t>& stream, std::uint32_t index) {
    for (const auto& entry : test::walkStream(stream)) {
        if (entry.id == id::kSst) {
            const Record sst =
                RecordCursor(stream, static_cast<std::uint32_t>(entry.position), {}).next();
            StringTable table;
            readSst(RecordReader(sst, {}), table);
            return std::string(table.text(index));
        }
    }
    return {};
}

TEST(OtherSheets, MacroSheetMovesAndKeepsItsTexts) {
    const auto workbook = Workbook::fromBytes(withMacroSheet(), "makro.xls");
    ASSERT_EQ(workbook->worksheetNames(), std::vector<std::string>{"TidxTexts"});
    Worksheet& sheet = workbook->worksheet(0);
    for (std::uint32_t column = 0; column < 5; ++column) {
        sheet.setCell(0, column, "Spalte " + std::to_string(column));
    }
    for (int i = 0; i < 100; ++i) {
        sheet.appendRow(std::vector<CellValue>{i * 1.0, test::sampleText(i)});
    }
    const auto stream = test::workbookStream(workbook->toBytes());
    test::expectConsistentPositions(stream);
    const auto records = test::walkStream(stream);
    const auto macroCell = std::find_if(records.rbegin(), records.rend(),
                                        [](const auto& r) { return r.id == id::kLabelSst; });
    EXPECT_EQ(sstText(stream, test::u32At(stream, macroCell->position + 4 + 6)), "Sprache 3");
}

}  // namespace
}  // namespace glossel::xls
