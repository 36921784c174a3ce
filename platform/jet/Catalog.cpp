// Reading MSysObjects.
#include "platform/jet/Catalog.h"

#include <algorithm>
#include <optional>

#include "platform/jet/TableCursor.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {
namespace {

constexpr std::uint32_t kRootParentId = 0x0F000000;
constexpr char kTablesContainer[] = "Tables";

std::size_t columnIndex(const TableDefinition& table, const std::string& name,
                        const std::string& path) {
    const auto found = std::find_if(table.columns.begin(), table.columns.end(),
                                    [&](const ColumnDefinition& c) { return c.name == name; });
    if (found == table.columns.end()) {
        throwDamaged({path, kCatalogPage, kCatalogTable}, "die Spalte '" + name + "' fehlt");
    }
    return static_cast<std::size_t>(found - table.columns.begin());
}

template <typename T>
std::optional<T> valueAs(const Variant& value) {
    if (const T* held = std::get_if<T>(&value)) {
        return *held;
    }
    return std::nullopt;
}

}  // namespace

std::vector<CatalogEntry> readCatalog(const std::shared_ptr<const PageChannel>& channel,
                                      std::uint16_t codePage) {
    auto catalog = std::make_shared<const TableDefinition>(
        readTableDefinition(*channel, kCatalogPage, kCatalogTable, codePage));
    const std::size_t idColumn = columnIndex(*catalog, "Id", channel->path());
    const std::size_t parentColumn = columnIndex(*catalog, "ParentId", channel->path());
    const std::size_t nameColumn = columnIndex(*catalog, "Name", channel->path());
    const std::size_t typeColumn = columnIndex(*catalog, "Type", channel->path());
    const std::size_t flagsColumn = columnIndex(*catalog, "Flags", channel->path());
    const std::size_t propertiesColumn = columnIndex(*catalog, "LvProp", channel->path());

    struct Row {
        std::int32_t id;
        std::int32_t parent;
        CatalogEntry entry;
    };
    std::vector<Row> rows;
    std::optional<std::int32_t> tablesContainer;
    TableCursor cursor(channel, catalog, codePage);
    while (cursor.next()) {
        auto values = [&cursor](std::size_t column) -> const Variant& {
            return cursor.value(column);
        };
        Row row{valueAs<std::int32_t>(values(idColumn)).value_or(0),
                valueAs<std::int32_t>(values(parentColumn)).value_or(0),
                {}};
        row.entry.name = valueAs<std::string>(values(nameColumn)).value_or("");
        row.entry.type = valueAs<std::int16_t>(values(typeColumn)).value_or(0);
        row.entry.id = static_cast<std::uint32_t>(row.id);
        row.entry.flags =
            static_cast<std::uint32_t>(valueAs<std::int32_t>(values(flagsColumn)).value_or(0));
        row.entry.row = cursor.position();
        row.entry.properties = valueAs<Bytes>(values(propertiesColumn)).value_or(Bytes{});
        if (static_cast<std::uint32_t>(row.parent) == kRootParentId &&
            row.entry.name == kTablesContainer) {
            tablesContainer = row.id;
        }
        rows.push_back(std::move(row));
    }
    if (!tablesContainer) {
        throwDamaged({channel->path(), kCatalogPage, kCatalogTable},
                     "der Katalog enthält keinen Eintrag 'Tables'");
    }
    std::vector<CatalogEntry> tables;
    for (auto& row : rows) {
        const bool isTable = row.entry.type == 1 || row.entry.type == 4 || row.entry.type == 6;
        if (row.parent == *tablesContainer && isTable) {
            tables.push_back(std::move(row.entry));
        }
    }
    return tables;
}

}  // namespace glossel::jet
