// A stored row split into its fields, and fields joined into a row. Row layout (Jet 3 fields
// are u8, Jet 4 fields u16):
//   column count (when the row was written) | fixed area | variable data | [padding] |
//   end of variable data | variable offsets, last slot first | [Jet 3 jump table] |
//   number of variable slots | null mask, one bit per column number (1 = present)
// A table without variable columns has no part between the fixed area and the null mask.
// Boolean columns keep their value in the null mask.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/jet/Damage.h"
#include "platform/jet/JetFormat.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

// One column of a row as stored: absent (null), or its bytes (the fixed bytes, or the variable
// bytes; for memo and OLE the long-value header). A boolean is present when it is true.
struct StoredField {
    bool present = false;
    std::vector<std::uint8_t> bytes;

    bool operator==(const StoredField&) const = default;
};

// The bytes a fixed column takes in the fixed area.
std::size_t fixedSize(const ColumnDefinition& column);

// The row's fields in the definition's column order.
std::vector<StoredField> splitRow(const ByteView& row, const TableDefinition& table,
                                  const JetFormat& format);
// The same into `fields`, reusing their storage: for walking many rows.
void splitRow(const ByteView& row, const TableDefinition& table, const JetFormat& format,
              std::vector<StoredField>& fields);

// A Jet 4 row of the fields (in the definition's column order), written for the table as it is
// now: all its columns, every variable slot. Padded before its trailer to at least minimumSize.
std::vector<std::uint8_t> joinRow(const TableDefinition& table,
                                  const std::vector<StoredField>& fields,
                                  std::size_t minimumSize = 0);
// Joins many rows for one table, reusing its storage: the table's layout is worked out once.
class RowJoiner {
public:
    explicit RowJoiner(const TableDefinition& table);
    // Replaces `row` with the row joinRow(table, fields) makes.
    void join(const std::vector<StoredField>& fields, std::vector<std::uint8_t>& row);

private:
    const TableDefinition& table_;
    std::size_t fixedEnd_ = 0;
    std::vector<std::size_t> bySlot_;  // per variable slot, its column's index (or none)
    std::vector<std::size_t> offsets_;
};

// Pads a row joinRow made for `table` before its trailer to at least minimumSize, as joinRow
// would have.
void padRow(const TableDefinition& table, std::vector<std::uint8_t>& row, std::size_t minimumSize);

}  // namespace glossel::jet
