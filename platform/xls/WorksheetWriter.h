// Writing a worksheet substream the way Excel lays it out: the records as read in their order,
// a new INDEX after BOF, DIMENSIONS covering every cell and row, and the cell table in blocks of
// 32 rows (ROW records, then the cells of those rows, then a DBCELL).
#pragma once

#include <cstdint>
#include <span>

#include "platform/xls/RecordWriter.h"
#include "platform/xls/SheetContent.h"
#include "platform/xls/SheetRecords.h"

namespace glossel::xls {

// The positions inside a worksheet substream, counted from its start, that its INDEX holds, and
// its size: the sheet written once without keeping it.
struct WorksheetLayout {
    IndexRecord index;
    std::size_t size = 0;
};
WorksheetLayout measureWorksheet(const SheetContent& sheet,
                                 std::span<const std::uint32_t> sstIndex);

// Hands the substream, which starts at `start` in the Workbook stream, to `handOn` in pieces cut
// between blocks of rows; `layout` from measureWorksheet. `sstIndex` maps each string-table
// entry to its index in the SST being written.
void writeWorksheet(std::uint32_t start, const SheetContent& sheet,
                    std::span<const std::uint32_t> sstIndex, const WorksheetLayout& layout,
                    const HandOn& handOn);

}  // namespace glossel::xls
