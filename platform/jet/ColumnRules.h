// The rules a column's properties set for its values (Required, AllowZeroLength), read from the
// table's properties in the catalogue.
#pragma once

#include <vector>

#include "platform/jet/JetDatabase.h"

namespace glossel::jet {

struct ColumnRules {
    bool required = false;
    bool allowZeroLength = true;  // a column without the property takes empty texts
};

// One entry per column of the table, in its column order.
std::vector<ColumnRules> readColumnRules(const JetDatabase& database, const TableDefinition& table);

}  // namespace glossel::jet
