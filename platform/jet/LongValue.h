// Memo and OLE values. The row holds a 12-byte header:
//   OFFSET  SIZE  DESCRIPTION
//   0       4     length (low 30 bits); top bits: 0x80 data inline, 0x40 one LVAL row, 0x00 chain
//   4       4     rowid of the (first) LVAL row
//   8       4     unused
//   12      len   the data, inline values only
// A chain row starts with the rowid of the next row (0 on the last), then its part of the data.
#pragma once

#include <string>

#include "platform/Variant.h"
#include "platform/jet/Damage.h"
#include "platform/jet/PageChannel.h"

namespace glossel::jet {

Bytes readLongValue(const PageChannel& channel, const ByteView& field, const std::string& table);

}  // namespace glossel::jet
