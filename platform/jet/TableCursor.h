// Walks a table's live rows in storage order: the pages its owned-pages map lists, slot by slot.
// Deleted rows and moved row data are skipped; an overflow pointer leads to the row's moved data.
// A row is split into its stored fields when the cursor reaches it; a value is decoded when it
// is first asked for, so that a pass that reads one column does not decode the others.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/RowFields.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

class TableCursor {
public:
    TableCursor(std::shared_ptr<const PageChannel> channel,
                std::shared_ptr<const TableDefinition> table, std::uint16_t codePage);

    // Moves to the next live row; false when there is none.
    bool next();
    // The value of a column (by its place in the table's column order) in the current row.
    const Variant& value(std::size_t column);
    // A Jet 4 text column's field in the current row as stored; nullptr for other columns.
    const StoredField* storedText(std::size_t column);
    // The current row was changed: it is read again before a value of it is asked for.
    void reread() { stale_ = true; }
    // Where the current row's slot is (for a moved row: its original slot, which points on).
    RowId position() const { return position_; }

private:
    // The bytes of the row a slot stands for, following overflow pointers; false for a slot to
    // skip. `holder` may hold the slot's page already, and holds the row's page afterwards.
    bool resolveRow(std::uint32_t page, std::uint16_t row, PageBuffer& holder, ByteView& out,
                    RowId& data) const;
    void split(const ByteView& row);
    void readAgainIfChanged();

    std::shared_ptr<const PageChannel> channel_;
    std::shared_ptr<const TableDefinition> table_;
    std::uint16_t codePage_;
    std::vector<std::uint32_t> pages_;
    std::size_t pageIndex_ = 0;
    std::uint32_t nextRow_ = 0;
    std::vector<StoredField> fields_;
    std::vector<StoredField> spareFields_;  // the row before, its storage reused for the next
    std::vector<std::optional<Variant>> values_;
    RowId position_;
    RowId dataPosition_;
    bool stale_ = false;
};

}  // namespace glossel::jet
