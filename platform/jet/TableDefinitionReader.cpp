// Reading a TDEF. A definition longer than a page continues on further TDEF pages: the first page
// counts whole, each continuation page from byte 8. After the fixed block come, in this order:
//   real-index entries      8 / 12 bytes each (Jet 3 / Jet 4)
//   column entries          18 / 25 bytes each
//   column names            length (u8 / u16) + name (code page / UTF-16LE)
//   real-index blocks, logical indexes and their names, long-value column maps, FF FF
#include <set>

#include "platform/jet/TableDefinition.h"
#include "platform/jet/TextCodec.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kNextPageOffset = 4;
constexpr std::size_t kDefinitionLengthOffset = 8;
constexpr std::size_t kContinuationHeader = 8;

std::vector<std::uint8_t> loadDefinition(const PageChannel& channel, std::uint32_t first,
                                         const std::string& table,
                                         std::vector<std::uint32_t>& continuationPages) {
    std::vector<std::uint8_t> bytes;
    std::set<std::uint32_t> visited;
    std::uint32_t number = first;
    while (number != 0) {
        if (!visited.insert(number).second) {
            throwDamaged({channel.path(), number, table},
                         "die Tabellendefinition verweist im Kreis");
        }
        const PageBuffer buffer = channel.page(number, table);
        const ByteView page = channel.view(buffer, number, table);
        if (page.u8(0) != page_type::kTableDefinition) {
            page.damaged("keine Seite einer Tabellendefinition");
        }
        const auto content =
            number == first ? page.bytes() : page.bytes().subspan(kContinuationHeader);
        bytes.insert(bytes.end(), content.begin(), content.end());
        if (number != first) {
            continuationPages.push_back(number);
        }
        number = page.u32(kNextPageOffset);
    }
    return bytes;
}

ColumnDefinition readColumnEntry(const ByteView& entry, const JetFormat& format) {
    ColumnDefinition column;
    column.type = entry.u8(0);
    column.number = entry.u16(format.columnNumber);
    column.variableSlot = entry.u16(format.columnVariableSlot);
    column.precision = entry.u8(format.columnPrecision);
    column.scale = entry.u8(format.columnScale);
    column.flags = entry.u8(format.columnFlags);
    column.extraFlags = format.columnExtraFlags != 0 ? entry.u8(format.columnExtraFlags) : 0;
    column.fixedOffset = entry.u16(format.columnFixedOffset);
    column.length = entry.u16(format.columnLength);
    return column;
}

std::string readName(const ByteView& tdef, std::size_t& position, const JetFormat& format,
                     std::uint16_t codePage) {
    const std::size_t length = tdef.uint(position, format.nameLengthSize);
    position += format.nameLengthSize;
    std::string name = decodeJetText(tdef.slice(position, length).bytes(), format, codePage);
    position += length;
    return name;
}

// Real index blocks, logical indexes with their names, and the long-value column maps that end
// the definition before its FF FF.
void readIndexesAndMaps(const ByteView& tdef, std::size_t position, std::uint32_t realIndexCount,
                        const JetFormat& format, std::uint16_t codePage, TableDefinition& table) {
    constexpr std::size_t kIndexColumnSlots = 10;
    constexpr std::uint16_t kNoColumn = 0xFFFF;
    std::vector<std::vector<std::uint16_t>> realIndexColumns(realIndexCount);
    for (auto& columns : realIndexColumns) {
        const ByteView block = tdef.slice(position, format.realIndexBlockSize);
        for (std::size_t slot = 0; slot < kIndexColumnSlots; ++slot) {
            const std::uint16_t number = block.u16(format.realIndexColumns + 3 * slot);
            if (number != kNoColumn) {
                columns.push_back(number);
            }
        }
        position += format.realIndexBlockSize;
    }
    constexpr std::uint8_t kPrimaryKey = 1;
    std::vector<std::pair<std::uint32_t, bool>> logicalIndexes;
    for (std::uint32_t i = 0; i < table.indexCount; ++i) {
        const ByteView entry = tdef.slice(position, format.logicalIndexSize);
        logicalIndexes.emplace_back(entry.u32(format.logicalIndexRealIndex),
                                    entry.u8(format.logicalIndexType) == kPrimaryKey);
        position += format.logicalIndexSize;
    }
    for (const auto& [real, primaryKey] : logicalIndexes) {
        IndexDefinition index{readName(tdef, position, format, codePage), {}, primaryKey};
        if (real >= realIndexColumns.size()) {
            tdef.damaged("Index '" + index.name + "' verweist auf einen fehlenden Index");
        }
        index.columnNumbers = realIndexColumns[real];
        table.indexes.push_back(std::move(index));
    }
    constexpr std::size_t kMapEntrySize = 10;
    constexpr std::size_t kTrailerSize = 2;
    while (position + kMapEntrySize + kTrailerSize <= tdef.size()) {
        table.longValueMaps.push_back({tdef.u16(position),
                                       RowId::fromStored(tdef.u32(position + 2)),
                                       RowId::fromStored(tdef.u32(position + 6))});
        position += kMapEntrySize;
    }
}

}  // namespace

const ColumnDefinition* TableDefinition::column(std::uint16_t number) const {
    for (const auto& candidate : columns) {
        if (candidate.number == number) {
            return &candidate;
        }
    }
    return nullptr;
}

const LongValueMaps* TableDefinition::longValueMapsOf(std::uint16_t columnNumber) const {
    for (const auto& maps : longValueMaps) {
        if (maps.columnNumber == columnNumber) {
            return &maps;
        }
    }
    return nullptr;
}

TableDefinition readTableDefinition(const PageChannel& channel, std::uint32_t page,
                                    const std::string& name, std::uint16_t codePage) {
    const JetFormat& format = channel.format();
    TableDefinition table;
    std::vector<std::uint8_t> bytes = loadDefinition(channel, page, name, table.continuationPages);
    const ByteView whole(bytes, {channel.path(), page, name});
    table.name = name;
    table.definitionPage = page;
    const std::uint32_t declaredLength = whole.u32(kDefinitionLengthOffset);
    if (declaredLength > bytes.size() || declaredLength < format.tdefBlockEnd) {
        whole.damaged("die Tabellendefinition ist länger als ihre Seiten");
    }
    bytes.resize(declaredLength);
    const ByteView tdef(bytes, {channel.path(), page, name});
    table.rowCount = tdef.u32(format.tdefRowCount);
    table.maxColumns = tdef.u16(format.tdefMaxColumns);
    table.variableColumns = tdef.u16(format.tdefVariableColumns);
    const std::uint16_t columnCount = tdef.u16(format.tdefColumnCount);
    table.indexCount = tdef.u32(format.tdefIndexCount);
    const std::uint32_t realIndexCount = tdef.u32(format.tdefRealIndexCount);
    table.ownedPages = RowId::fromStored(tdef.u32(format.tdefOwnedPagesMap));
    table.freeSpace = RowId::fromStored(tdef.u32(format.tdefFreeSpaceMap));
    if (realIndexCount > bytes.size() / format.realIndexEntrySize) {
        tdef.damaged("unmögliche Zahl von Indizes (" + std::to_string(realIndexCount) + ")");
    }

    std::size_t position = format.tdefBlockEnd + realIndexCount * format.realIndexEntrySize;
    table.columns.reserve(columnCount);
    for (std::uint16_t i = 0; i < columnCount; ++i) {
        table.columns.push_back(
            readColumnEntry(tdef.slice(position, format.columnEntrySize), format));
        position += format.columnEntrySize;
    }
    table.columnEntriesEnd = position;
    for (auto& column : table.columns) {
        column.name = readName(tdef, position, format, codePage);
        if (column.number >= table.maxColumns) {
            tdef.damaged("Spalte '" + column.name + "' hat die Nummer " +
                         std::to_string(column.number) + " ausserhalb der Spaltenzahl");
        }
    }
    table.columnNamesEnd = position;
    readIndexesAndMaps(tdef, position, realIndexCount, format, codePage, table);
    table.stored = std::move(bytes);
    return table;
}

}  // namespace glossel::jet
