// Worksheet parts: read into the cell model, and written back from it. Shared strings are read
// first, so that the sheet's text cells name their entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/spreadsheet/StringTable.h"
#include "platform/xlsx/PieceWriter.h"
#include "platform/xlsx/SheetPart.h"
#include "platform/xlsx/ZipReader.h"

namespace glossel::xlsx {

// Reads the worksheet part of `entry`; the first `sharedEntries` entries of `strings` are the
// shared strings part's, inline texts join it after them. Error 3049 naming the part and line
// for damage, for places past the sheet's limits and for shared-string numbers the part lacks.
SheetPart readSheetPart(const ZipReader& zip, const ZipEntry& entry, spreadsheet::StringTable& strings,
                        std::uint32_t sharedEntries);

// Hands the part's XML to `sink` in pieces, with the current cells and an updated <dimension>. `entryNumbers` gives each
// string-table entry's number in the shared strings part written beside it; when it is empty
// the workbook has no shared strings part, and texts are written inline.
void writeSheetPart(const SheetPart& part, const spreadsheet::StringTable& strings,
                    const std::vector<std::uint32_t>& entryNumbers, const PieceSink& sink);

}  // namespace glossel::xlsx
