// Turns one stored row into its values. Row layout (Jet 3 fields are u8, Jet 4 fields u16):
//   column count (when the row was written) | fixed area | variable data | [padding] |
//   end of variable data | variable offsets, last slot first | [Jet 3 jump table] |
//   number of variable slots | null mask, one bit per column number (1 = present)
// A table without variable columns has no part between the fixed area and the null mask.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/Damage.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

// The row's values in the definition's column order.
std::vector<Variant> decodeRow(const ByteView& row, const TableDefinition& table,
                               const PageChannel& channel, std::uint16_t codePage);

}  // namespace glossel::jet
