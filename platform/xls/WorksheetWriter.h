// Writing a worksheet substream the way Excel lays it out: the records as read in their order,
// a new INDEX after BOF, DIMENSIONS covering every cell and row, and the cell table in blocks of
// 32 rows (ROW records, then the cells of those rows, then a DBCELL).
#pragma once

#include <cstdint>
#include <span>

#include "platform/xls/RecordWriter.h"
#include "platform/xls/SheetContent.h"

namespace glossel::xls {

// Appends the substream to `out`, whose first byte is at `base` in the Workbook stream.
// `sstIndex` maps each string-table entry to its index in the SST being written.
void writeWorksheet(Bytes& out, std::uint32_t base, const SheetContent& sheet,
                    std::span<const std::uint32_t> sstIndex);

}  // namespace glossel::xls
