// Column addition. A definition that spans several pages is written to new continuation pages
// first and switched over by rewriting its first page last, so that every reader sees either the
// old definition or the new one; the old continuation pages are then given back.
#include "platform/jet/ColumnAdder.h"

#include <algorithm>

#include "platform/ByteOrder.h"
#include "platform/Error.h"
#include "platform/NameCompare.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/PropertyBlob.h"
#include "platform/jet/TableWriter.h"
#include "platform/nls/Utf16.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kMaxColumns = 255;
constexpr std::size_t kMaxNameLength = 64;
constexpr std::size_t kNextPageOffset = 4;
constexpr std::size_t kDefinitionLengthOffset = 8;
constexpr std::size_t kContinuationHeader = 8;
constexpr std::uint8_t kUpdatableFlag = 0x02;
constexpr std::size_t kSortOrderOffset = 11;  // LCID, unknown byte, sort version: 4 bytes
constexpr std::uint8_t kGeneralSortOrder[] = {0x09, 0x04, 0x00, 0x00};
constexpr std::uint32_t kEntryMarker = 1625;  // Access and Jackcess write it in every entry

void checkColumn(const TableDefinition& table, const NewTextColumn& column) {
    const std::u16string name = nls::toUtf16(column.name);
    if (name.empty() || name.size() > kMaxNameLength) {
        throw Error(3125, "'" + column.name + "' ist kein zulässiger Feldname (1 bis 64 Zeichen).");
    }
    for (const auto& existing : table.columns) {
        if (sameName(existing.name, column.name)) {
            throw Error(3191, "Das Feld '" + column.name + "' gibt es in der Tabelle '" +
                                  table.name + "' schon.");
        }
    }
    if (table.columns.size() >= kMaxColumns || table.maxColumns >= kMaxColumns) {
        throw Error(3190, "Die Tabelle '" + table.name + "' hat schon 255 Felder.");
    }
    if (column.size == 0 || column.size > 255) {
        throw Error(err::kInvalidArgument, "Die Grösse " + std::to_string(column.size) +
                                               " des Textfelds '" + column.name +
                                               "' liegt nicht zwischen 1 und 255.");
    }
}

std::vector<std::uint8_t> columnEntry(const TableDefinition& table, const JetFormat& format,
                                      const NewTextColumn& column) {
    std::vector<std::uint8_t> entry(format.columnEntrySize, 0);
    entry[0] = column_type::kText;
    le::set32(entry, 1, kEntryMarker);
    le::set16(entry, format.columnNumber, table.maxColumns);
    le::set16(entry, format.columnVariableSlot, table.variableColumns);
    le::set16(entry, format.columnNumber + 4, table.maxColumns);
    const auto text = std::find_if(table.columns.begin(), table.columns.end(), [](const auto& c) {
        return c.type == column_type::kText || c.type == column_type::kMemo;
    });
    if (text != table.columns.end()) {
        const std::size_t entryStart =
            format.tdefBlockEnd +
            static_cast<std::size_t>(text - table.columns.begin()) * format.columnEntrySize;
        const std::size_t realIndexes = (table.columnEntriesEnd - format.tdefBlockEnd -
                                         table.columns.size() * format.columnEntrySize);
        std::copy_n(table.stored.begin() +
                        static_cast<std::ptrdiff_t>(entryStart + realIndexes + kSortOrderOffset),
                    4, entry.begin() + kSortOrderOffset);
    } else {
        std::copy_n(kGeneralSortOrder, 4, entry.begin() + kSortOrderOffset);
    }
    entry[format.columnFlags] = kUpdatableFlag;
    entry[format.columnExtraFlags] = column_flag::kCompressedUnicode;
    le::set16(entry, format.columnLength, column.size * 2u);
    return entry;
}

std::vector<std::uint8_t> grownDefinition(const TableDefinition& table, const JetFormat& format,
                                          const NewTextColumn& column) {
    std::vector<std::uint8_t> grown = table.stored;
    const std::u16string name = nls::toUtf16(column.name);
    std::vector<std::uint8_t> nameBytes(2 + name.size() * 2);
    le::set16(nameBytes, 0, name.size() * 2);
    for (std::size_t i = 0; i < name.size(); ++i) {
        le::set16(nameBytes, 2 + 2 * i, name[i]);
    }
    const std::vector<std::uint8_t> entry = columnEntry(table, format, column);
    grown.insert(grown.begin() + static_cast<std::ptrdiff_t>(table.columnNamesEnd),
                 nameBytes.begin(), nameBytes.end());
    grown.insert(grown.begin() + static_cast<std::ptrdiff_t>(table.columnEntriesEnd), entry.begin(),
                 entry.end());
    le::set32(grown, kDefinitionLengthOffset, grown.size());
    le::set16(grown, format.tdefMaxColumns, table.maxColumns + 1u);
    le::set16(grown, format.tdefVariableColumns, table.variableColumns + 1u);
    le::set16(grown, format.tdefColumnCount, le::get16(table.stored, format.tdefColumnCount) + 1);
    return grown;
}

// Jet 4 keeps, on every definition page, its free bytes less 8 (at least 0).
void setFreeWord(std::vector<std::uint8_t>& page, std::size_t used) {
    const std::size_t free = page.size() - used;
    le::set16(page, 2, free > 8 ? free - 8 : 0);
}

void writeDefinition(PageChannel& channel, const TableDefinition& table,
                     const std::vector<std::uint8_t>& definition) {
    const std::size_t pageSize = channel.format().pageSize;
    const std::size_t perContinuation = pageSize - kContinuationHeader;
    const std::size_t firstPart = std::min(definition.size(), pageSize);
    const std::size_t continuations =
        (definition.size() - firstPart + perContinuation - 1) / perContinuation;
    std::vector<std::uint32_t> pages;
    for (std::size_t i = 0; i < continuations; ++i) {
        pages.push_back(allocatePage(channel));
    }
    for (std::size_t i = 0; i < continuations; ++i) {
        std::vector<std::uint8_t>& page = channel.change(pages[i], table.name);
        std::fill(page.begin(), page.end(), 0);
        page[0] = page_type::kTableDefinition;
        page[1] = 0x01;
        le::set32(page, kNextPageOffset, i + 1 < continuations ? pages[i + 1] : 0);
        const std::size_t from = firstPart + i * perContinuation;
        const std::size_t length = std::min(perContinuation, definition.size() - from);
        std::copy_n(definition.begin() + static_cast<std::ptrdiff_t>(from), length,
                    page.begin() + kContinuationHeader);
        setFreeWord(page, kContinuationHeader + length);
        channel.flush(pages[i]);
    }
    std::vector<std::uint8_t>& first = channel.change(table.definitionPage, table.name);
    std::fill(first.begin(), first.end(), 0);
    std::copy_n(definition.begin(), firstPart, first.begin());
    le::set32(first, kNextPageOffset, pages.empty() ? 0 : pages.front());
    setFreeWord(first, firstPart);
    if (!table.continuationPages.empty()) {
        channel.flush(table.definitionPage);
        for (const std::uint32_t old : table.continuationPages) {
            releasePage(channel, old);
        }
    }
}

}  // namespace

void addTextColumn(const std::shared_ptr<const JetDatabase>& database, const std::string& table,
                   const NewTextColumn& column) {
    database->requireChangeable("das Anfügen der Spalte '" + column.name + "'");
    PageChannel& channel = database->channel();
    PageChannel::ChangeScope scope(channel);
    const auto definition = database->table(table);
    checkColumn(*definition, column);
    writeDefinition(channel, *definition, grownDefinition(*definition, channel.format(), column));

    for (const auto& entry : database->catalog()) {
        if (!entry.isLocalTable() || entry.id != definition->definitionPage) {
            continue;
        }
        PropertyBlob properties = PropertyBlob::parse(
            entry.properties, channel.format(),
            {database->path(), entry.row.page, definition->name}, database->codePage());
        properties.setColumnFlag(column.name, "AllowZeroLength", column.allowZeroLength);
        TableWriter catalog(database, kCatalogTable);
        std::vector<std::optional<Variant>> changes(catalog.definition().columns.size());
        for (std::size_t i = 0; i < changes.size(); ++i) {
            if (catalog.definition().columns[i].name == "LvProp") {
                changes[i] = Variant(properties.serialize());
            }
        }
        catalog.updateRow(entry.row, changes);
    }
}

}  // namespace glossel::jet
