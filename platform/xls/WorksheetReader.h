// Reading a worksheet substream (BOF … EOF) into the engine's model: cells of every kind into
// rows, formulas with their followers as read, everything else in its place in the layout.
// Substreams nested in it (embedded charts) stay as they are.
#pragma once

#include <cstdint>
#include <span>

#include "platform/xls/Damage.h"
#include "platform/xls/SheetContent.h"
#include "platform/spreadsheet/StringTable.h"

namespace glossel::xls {

// `sstCount` = entries of the SST, the range LABELSST cells may refer to; texts of LABEL cells
// are added to `strings`.
SheetContent readWorksheet(std::span<const std::uint8_t> stream, std::uint32_t position,
                           const Source& source, StringTable& strings, std::uint32_t sstCount);

}  // namespace glossel::xls
