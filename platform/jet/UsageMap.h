// Usage maps: which pages belong to a table. A map is one row on a holder page, either inline
// (type 0: start page + bitmap) or by reference (type 1: a list of bitmap pages of type 0x05).
//   OFFSET  SIZE         TYPE 0                    TYPE 1
//   0       1            0x00                      0x01
//   1       4            first page of the bitmap  first bitmap page
//   5       rest         bitmap, LSB first         further bitmap pages (u32 each)
// A bitmap page covers (page size - 4) * 8 pages per entry, its bitmap from byte 4.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/jet/PageChannel.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

// The pages the map marks, in ascending order.
std::vector<std::uint32_t> readUsageMap(const PageChannel& channel, RowId map,
                                        const std::string& table);

}  // namespace glossel::jet
