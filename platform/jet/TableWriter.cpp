// Row writes.
#include "platform/jet/TableWriter.h"

#include <algorithm>

#include "platform/ByteOrder.h"
#include "platform/Error.h"
#include "platform/jet/DataPage.h"
#include "platform/jet/DataPageWriter.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/RowDecoder.h"
#include "platform/jet/TextCodec.h"
#include "platform/jet/UsageMap.h"
#include "platform/jet/UsageMapWriter.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kLargestRow = 4060;
constexpr std::size_t kPointerSize = 4;

bool isLongValue(const ColumnDefinition& column) {
    return column.type == column_type::kMemo || column.type == column_type::kOle;
}

}  // namespace

TableWriter::TableWriter(std::shared_ptr<const JetDatabase> database, const std::string& table)
    : database_(std::move(database)),
      channel_(database_->channel()),
      table_(database_->table(table)) {
    database_->requireChangeable("das Ändern der Tabelle '" + table + "'");
    rules_ = readColumnRules(*database_, *table_);
    for (const auto& maps : table_->longValueMaps) {
        longValues_.emplace(maps.columnNumber, LongValueWriter(channel_, maps, table_->name));
    }
}

void TableWriter::requireNoIndex(const std::string& action) const {
    if (!table_->indexes.empty()) {
        throw Error(err::kReadOnly, "Die Tabelle '" + table_->name + "' hat den Index '" +
                                        table_->indexes.front().name +
                                        "', den dieses Programm nicht pflegt; " + action +
                                        " ist nicht möglich.");
    }
}

std::string TableWriter::describe(std::size_t column, const std::vector<Variant>& values) const {
    std::string where =
        "Tabelle '" + table_->name + "', Spalte '" + table_->columns[column].name + "'";
    for (const auto& index : table_->indexes) {
        if (!index.primaryKey) {
            continue;
        }
        std::string key;
        for (const std::uint16_t number : index.columnNumbers) {
            for (std::size_t i = 0; i < table_->columns.size() && i < values.size(); ++i) {
                if (table_->columns[i].number == number) {
                    const auto* id = std::get_if<std::int32_t>(&values[i]);
                    key += (key.empty() ? "" : ", ") + table_->columns[i].name + "=" +
                           (id ? std::to_string(*id) : std::string("?"));
                }
            }
        }
        where += ", Datensatz " + key;
    }
    return where;
}

StoredField TableWriter::encode(std::size_t column, const Variant& value, const Describe& where) {
    const ColumnDefinition& definition = table_->columns[column];
    StoredField field = encodeField(definition, value, rules_[column], where);
    if (field.present && isLongValue(definition)) {
        auto writer = longValues_.find(definition.number);
        if (writer == longValues_.end()) {
            throwDamaged({channel_.path(), table_->definitionPage, table_->name},
                         "die Spalte '" + definition.name + "' hat keine Seitenzuordnung");
        }
        field.bytes = writer->second.write(field.bytes);
    }
    return field;
}

std::optional<std::uint32_t> TableWriter::insertPage(std::size_t size) {
    if (!insertPageKnown_) {
        insertPageKnown_ = true;
        const auto owned = readUsageMap(channel_, table_->ownedPages, table_->name);
        const auto free = readUsageMap(channel_, table_->freeSpace, table_->name);
        for (auto page = owned.rbegin(); page != owned.rend(); ++page) {
            const DataPage data(channel_.view(channel_.page(*page), *page, table_->name),
                                channel_.format());
            if (std::binary_search(free.begin(), free.end(), *page) &&
                data.pageType() == page_type::kData && data.owner() == table_->definitionPage) {
                insertPage_ = *page;
                break;
            }
        }
    }
    if (insertPage_ && roomForNewRow(*channel_.page(*insertPage_), channel_.format()) >= size) {
        return insertPage_;
    }
    return std::nullopt;
}

RowId TableWriter::placeRow(std::span<const std::uint8_t> row, std::uint16_t flags,
                            std::optional<std::uint32_t> preferred, bool flush) {
    const JetFormat& format = channel_.format();
    std::optional<std::uint32_t> page;
    if (preferred && roomForNewRow(*channel_.page(*preferred), format) >= row.size()) {
        page = preferred;
    } else {
        page = insertPage(row.size());
    }
    if (page) {
        const std::uint16_t slot = addRow(channel_.change(*page, table_->name), format, row, flags);
        if (flush) {
            channel_.flush(*page);
        }
        return {*page, static_cast<std::uint8_t>(slot)};
    }
    if (insertPage_) {
        removeFromUsageMap(channel_, table_->freeSpace, *insertPage_, table_->name);
    }
    const std::uint32_t fresh = allocatePage(channel_);
    std::vector<std::uint8_t>& bytes = channel_.change(fresh, table_->name);
    initialiseDataPage(bytes, format, table_->definitionPage);
    const std::uint16_t slot = addRow(bytes, format, row, flags);
    channel_.flush(fresh);
    addToUsageMap(channel_, table_->ownedPages, fresh, table_->name);
    addToUsageMap(channel_, table_->freeSpace, fresh, table_->name);
    insertPage_ = fresh;
    return {fresh, static_cast<std::uint8_t>(slot)};
}

void TableWriter::countRows(int delta) {
    std::vector<std::uint8_t>& tdef = channel_.change(table_->definitionPage, table_->name);
    const std::size_t at = channel_.format().tdefRowCount;
    const std::uint32_t count = le::get32(tdef, at);
    le::set32(tdef, at, static_cast<std::uint32_t>(static_cast<std::int64_t>(count) + delta));
}

bool TableWriter::takesStoredText(std::size_t column, const StoredField& field) const {
    const ColumnDefinition& definition = table_->columns[column];
    if (definition.type != column_type::kText ||
        (definition.extraFlags & column_flag::kCompressedUnicode) == 0 || !field.present) {
        return false;
    }
    const std::optional<std::size_t> characters = compressedCharacterCount(field.bytes);
    return characters && *characters * 2 <= definition.length;
}

RowId TableWriter::appendRow(const std::vector<Variant>& values) {
    return appendRow(values, {});
}

RowId TableWriter::appendRow(const std::vector<Variant>& values,
                             const std::vector<const StoredField*>& storedTexts) {
    requireNoIndex("das Anfügen von Datensätzen");
    const RowId placed = [&] {
        PageChannel::ChangeScope scope(channel_);
        return placeNewRow(values, storedTexts);
    }();
    channel_.flushIfFull();
    return placed;
}

RowId TableWriter::placeNewRow(const std::vector<Variant>& values,
                               const std::vector<const StoredField*>& storedTexts) {
    std::vector<StoredField> fields;
    fields.reserve(table_->columns.size());
    for (std::size_t i = 0; i < table_->columns.size(); ++i) {
        const StoredField* text = i < storedTexts.size() ? storedTexts[i] : nullptr;
        if (text && takesStoredText(i, *text)) {
            fields.push_back(*text);
            continue;
        }
        fields.push_back(encode(i, i < values.size() ? values[i] : Variant(Null{}),
                                [&, i] { return describe(i, values); }));
    }
    const std::vector<std::uint8_t> row = joinRow(*table_, fields);
    if (row.size() > kLargestRow) {
        throw Error(err::kRecordTooLarge, "Der Datensatz ist zu gross (" +
                                              std::to_string(row.size()) +
                                              " Bytes) für die Tabelle '" + table_->name + "'.");
    }
    const RowId placed = placeRow(row, 0, std::nullopt, false);
    countRows(1);
    return placed;
}

TableWriter::DataLocation TableWriter::locate(RowId row) const {
    const PageBuffer buffer = channel_.page(row.page, table_->name);
    const DataPage page(channel_.view(buffer, row.page, table_->name), channel_.format());
    if (page.pageType() != page_type::kData || page.owner() != table_->definitionPage ||
        page.isDeleted(row.row)) {
        page.bytes().damaged("Zeile " + std::to_string(row.row) + " gehört nicht zur Tabelle");
    }
    if (page.rowFlags(row.row) != row_flag::kOverflowPointer) {
        return {row, row, false};
    }
    return {row, RowId::fromStored(page.row(row.row).u32(0)), true};
}

void TableWriter::updateRow(RowId row, const std::vector<std::optional<Variant>>& changes,
                            Changes known) {
    {
        PageChannel::ChangeScope scope(channel_);
        changeRow(row, changes, known);
    }
    channel_.flushIfFull();
}

void TableWriter::changeRow(RowId row, const std::vector<std::optional<Variant>>& changes,
                            Changes known) {
    const JetFormat& format = channel_.format();
    const DataLocation location = locate(row);
    const PageBuffer dataBuffer = channel_.page(location.data.page, table_->name);
    const ByteView current =
        DataPage(channel_.view(dataBuffer, location.data.page, table_->name), format)
            .row(location.data.row);
    splitRow(current, *table_, format, rowFields_);
    std::vector<StoredField>& fields = rowFields_;
    auto valueOf = [&](std::size_t i) {
        return decodeField(fields[i], table_->columns[i], *table_, channel_, database_->codePage(),
                           current.where());
    };
    auto rowValues = [&] {
        std::vector<Variant> values;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            values.push_back(valueOf(i));
        }
        return values;
    };
    bool changed = false;
    for (std::size_t i = 0; i < fields.size() && i < changes.size(); ++i) {
        if (!changes[i] || (known == Changes::MayEqualStored && *changes[i] == valueOf(i))) {
            continue;
        }
        const ColumnDefinition& column = table_->columns[i];
        for (const auto& index : table_->indexes) {
            if (std::find(index.columnNumbers.begin(), index.columnNumbers.end(), column.number) !=
                index.columnNumbers.end()) {
                requireNoIndex("das Ändern der Spalte '" + column.name + "'");
            }
        }
        StoredField field = encode(i, *changes[i], [&, i] { return describe(i, rowValues()); });
        if (field != fields[i]) {
            fields[i] = std::move(field);
            changed = true;
        }
    }
    if (!changed) {
        return;
    }
    std::vector<std::uint8_t> image = joinRow(*table_, fields);
    if (image.size() > kLargestRow) {
        throw Error(err::kRecordTooLarge, "Der Datensatz ist zu gross (" +
                                              std::to_string(image.size()) +
                                              " Bytes) für die Tabelle '" + table_->name + "'.");
    }
    const std::size_t room = current.size();
    if (image.size() <= room) {
        padRow(*table_, image, room);
        overwriteRow(channel_.change(location.data.page, table_->name), format, location.data.row,
                     image);
        return;
    }
    // The row no longer fits its slot: its new image goes to a slot of its own, written before the
    // original slot points there (unless both are on the same page); an earlier moved copy is
    // given up last.
    const RowId moved = placeRow(image, row_flag::kMovedData, location.data.page, false);
    if (moved.page != row.page) {
        channel_.flush(moved.page);
    }
    std::vector<std::uint8_t>& headerPage = channel_.change(row.page, table_->name);
    const std::size_t headerLength = rowLength(headerPage, format, row.row);
    if (headerLength < kPointerSize) {
        throwDamaged({channel_.path(), row.page, table_->name},
                     "die Zeile ist zu kurz für einen Verweis");
    }
    std::vector<std::uint8_t> pointer(headerLength, 0);
    le::set32(pointer, 0, moved.stored());
    overwriteRow(headerPage, format, row.row, pointer);
    setRowFlags(headerPage, format, row.row, row_flag::kOverflowPointer);
    if (location.moved) {
        channel_.flush(row.page);
        setRowFlags(channel_.change(location.data.page, table_->name), format, location.data.row,
                    row_flag::kDeleted);
    }
}

}  // namespace glossel::jet
