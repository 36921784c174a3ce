// Column rules from the table's property blob.
#include "platform/jet/ColumnRules.h"

#include "platform/jet/PropertyBlob.h"

namespace glossel::jet {

std::vector<ColumnRules> readColumnRules(const JetDatabase& database,
                                         const TableDefinition& table) {
    std::vector<ColumnRules> rules(table.columns.size());
    for (const auto& entry : database.catalog()) {
        if (entry.id != table.definitionPage || !entry.isLocalTable()) {
            continue;
        }
        const PropertyBlob blob =
            PropertyBlob::parse(entry.properties, database.format(),
                                {database.path(), entry.row.page, table.name}, database.codePage());
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            const std::string& name = table.columns[i].name;
            rules[i].required = blob.columnFlag(name, "Required").value_or(false);
            rules[i].allowZeroLength = blob.columnFlag(name, "AllowZeroLength").value_or(true);
        }
    }
    return rules;
}

}  // namespace glossel::jet
