// A table's definition as its TDEF pages hold it: columns (in the table's column order),
// row count, and the usage maps that list its data pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/jet/JetFormat.h"
#include "platform/jet/PageChannel.h"

namespace glossel::jet {

// A row address: page number and slot on that page. Stored as 4 bytes, row | page << 8.
struct RowId {
    std::uint32_t page = 0;
    std::uint8_t row = 0;

    static RowId fromStored(std::uint32_t stored) {
        return {stored >> 8, static_cast<std::uint8_t>(stored & 0xFF)};
    }
    std::uint32_t stored() const { return page << 8 | row; }
};

struct ColumnDefinition {
    std::string name;
    std::uint8_t type = 0;
    std::uint16_t number = 0;        // also the column's bit in a row's null mask
    std::uint16_t variableSlot = 0;  // index into a row's variable offsets
    std::uint16_t fixedOffset = 0;   // position in a row's fixed area
    std::uint16_t length = 0;        // bytes; Jet 4 text holds length / 2 characters
    std::uint8_t flags = 0;
    std::uint8_t extraFlags = 0;
    std::uint8_t precision = 0;
    std::uint8_t scale = 0;

    bool isFixedLength() const { return (flags & column_flag::kFixedLength) != 0; }
};

// An index as the program needs to know it: which columns it covers.
struct IndexDefinition {
    std::string name;
    std::vector<std::uint16_t> columnNumbers;
    bool primaryKey = false;
};

// Where a memo or OLE column keeps the pages of its long values.
struct LongValueMaps {
    std::uint16_t columnNumber = 0;
    RowId ownedPages;
    RowId freeSpace;
};

struct TableDefinition {
    std::string name;
    std::uint32_t definitionPage = 0;
    std::uint32_t rowCount = 0;
    std::uint16_t maxColumns = 0;
    std::uint16_t variableColumns = 0;
    std::uint32_t indexCount = 0;
    RowId ownedPages;
    RowId freeSpace;
    std::vector<ColumnDefinition> columns;  // in the table's column order
    std::vector<IndexDefinition> indexes;   // logical indexes with real columns
    std::vector<LongValueMaps> longValueMaps;

    // The whole definition as stored (first page whole, continuation pages from byte 8), and
    // where its column entries and names end, for rewriting it.
    std::vector<std::uint8_t> stored;
    std::size_t columnEntriesEnd = 0;
    std::size_t columnNamesEnd = 0;
    std::vector<std::uint32_t> continuationPages;

    const ColumnDefinition* column(std::uint16_t number) const;
    const LongValueMaps* longValueMapsOf(std::uint16_t columnNumber) const;
};

// Reads the definition that starts on `page`, following its continuation pages.
// `codePage` decodes Jet 3 names.
TableDefinition readTableDefinition(const PageChannel& channel, std::uint32_t page,
                                    const std::string& name, std::uint16_t codePage);

}  // namespace glossel::jet
