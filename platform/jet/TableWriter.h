// Adding and changing the rows of one Jet 4 table. Rows go to the last page of the table that
// has room, else to a new page; a row that grows past its slot moves to a new slot (flagged as
// moved data) and its original slot points there, as Jet does. The table's indexes are not
// maintained, so rows are never added to an indexed table and indexed columns never change.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/jet/ColumnRules.h"
#include "platform/jet/FieldEncoder.h"
#include "platform/jet/JetDatabase.h"
#include "platform/jet/LongValueWriter.h"

namespace glossel::jet {

class TableWriter {
public:
    // Error 3027 for a Jet 3 file or a read-only one.
    TableWriter(std::shared_ptr<const JetDatabase> database, const std::string& table);

    const TableDefinition& definition() const { return *table_; }

    // Adds a row of values (in the table's column order); returns the new row's place.
    RowId appendRow(const std::vector<Variant>& values);
    // Whether a text that a Jet 4 text column stored as `field` is stored alike in `column`, so
    // that it can be taken over without decoding and encoding it again.
    bool takesStoredText(std::size_t column, const StoredField& field) const;
    // The same, with the columns that have an entry in `storedTexts` taking that text over (each
    // one that takesStoredText accepts) instead of their value.
    RowId appendRow(const std::vector<Variant>& values,
                    const std::vector<const StoredField*>& storedTexts);
    // What a caller of updateRow knows of its changes: whether each may equal the value stored,
    // or has been compared with the row as read and differs from it.
    enum class Changes { MayEqualStored, DifferFromStored };
    // Changes the row whose (original) slot is `row`: each column with a value in `changes`
    // gets it. Writes nothing when no stored byte would change.
    void updateRow(RowId row, const std::vector<std::optional<Variant>>& changes,
                   Changes known = Changes::MayEqualStored);

private:
    struct DataLocation {
        RowId header;
        RowId data;
        bool moved = false;
    };

    StoredField encode(std::size_t column, const Variant& value, const Describe& where);
    std::string describe(std::size_t column, const std::vector<Variant>& values) const;
    DataLocation locate(RowId row) const;
    // appendRow and updateRow within their change scope; the cache is flushed when full after it.
    RowId placeNewRow(const std::vector<Variant>& values,
                      const std::vector<const StoredField*>& storedTexts);
    void changeRow(RowId row, const std::vector<std::optional<Variant>>& changes, Changes known);
    // Places a row on `preferred` if it has room, else where appended rows go; the page is
    // flushed when it is new or when `flush` is set.
    RowId placeRow(std::span<const std::uint8_t> row, std::uint16_t flags,
                   std::optional<std::uint32_t> preferred, bool flush);
    std::optional<std::uint32_t> insertPage(std::size_t size);
    void countRows(int delta);
    void requireNoIndex(const std::string& action) const;

    std::shared_ptr<const JetDatabase> database_;
    PageChannel& channel_;
    std::shared_ptr<const TableDefinition> table_;
    std::vector<ColumnRules> rules_;
    std::map<std::uint16_t, LongValueWriter> longValues_;
    std::optional<std::uint32_t> insertPage_;
    std::vector<StoredField> rowFields_;  // the fields of the row being changed
    bool insertPageKnown_ = false;
};

}  // namespace glossel::jet
