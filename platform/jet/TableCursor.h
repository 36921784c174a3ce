// Walks a table's live rows in storage order: the pages its owned-pages map lists, slot by slot.
// Deleted rows and moved row data are skipped; an overflow pointer leads to the row's moved data.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

class TableCursor {
public:
    TableCursor(std::shared_ptr<const PageChannel> channel,
                std::shared_ptr<const TableDefinition> table, std::uint16_t codePage);

    // Moves to the next live row; false when there is none.
    bool next();
    // The current row's values, in the table's column order.
    const std::vector<Variant>& values() const { return values_; }
    // Reads the current row again, after it was changed.
    void reread();
    // Where the current row's slot is (for a moved row: its original slot, which points on).
    RowId position() const { return position_; }

private:
    // The bytes of the row a slot stands for, following overflow pointers; false for a slot to
    // skip.
    bool resolveRow(std::uint32_t page, std::uint16_t row, PageBuffer& holder, ByteView& out) const;

    std::shared_ptr<const PageChannel> channel_;
    std::shared_ptr<const TableDefinition> table_;
    std::uint16_t codePage_;
    std::vector<std::uint32_t> pages_;
    std::size_t pageIndex_ = 0;
    std::uint32_t nextRow_ = 0;
    std::vector<Variant> values_;
    RowId position_;
};

}  // namespace glossel::jet
