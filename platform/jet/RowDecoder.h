// Turns stored fields into values.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/Damage.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/RowFields.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

// One field's value.
Variant decodeField(const StoredField& field, const ColumnDefinition& column,
                    const TableDefinition& table, const PageChannel& channel,
                    std::uint16_t codePage, const Where& where);

}  // namespace glossel::jet
