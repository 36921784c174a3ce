// Table definitions over the Jet catalogue.
#include "platform/dao/TableDefs.h"

#include "platform/Error.h"
#include "platform/NameCompare.h"

namespace glossel::dao {

Fields fieldsOf(const jet::JetDatabase& database, const jet::TableDefinition& table,
                std::shared_ptr<const CurrentRecord> record) {
    std::vector<Field> fields;
    fields.reserve(table.columns.size());
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const auto& column = table.columns[i];
        const bool twoBytesPerCharacter =
            database.format().textIsUnicode() && column.type == jet::column_type::kText;
        fields.emplace_back(column.name, column.type,
                            twoBytesPerCharacter ? column.length / 2 : column.length, record, i);
    }
    return Fields(std::move(fields));
}

TableDefs::TableDefs(std::shared_ptr<const jet::JetDatabase> database)
    : database_(std::move(database)) {}

std::size_t TableDefs::Count() const {
    return database_->userTableNames().size();
}

TableDef TableDefs::Item(std::size_t index) const {
    const auto names = database_->userTableNames();
    if (index >= names.size()) {
        throw Error(err::kItemNotFound,
                    "Element " + std::to_string(index) + " in dieser Auflistung nicht gefunden.");
    }
    return Item(names[index]);
}

TableDef TableDefs::Item(const std::string& name) const {
    for (const auto& tableName : database_->userTableNames()) {
        if (sameName(tableName, name)) {
            const auto table = database_->table(tableName);
            return TableDef(table->name, fieldsOf(*database_, *table, nullptr));
        }
    }
    throw Error(err::kItemNotFound, "Element '" + name +
                                        "' in dieser Auflistung nicht gefunden (Datenbank '" +
                                        database_->path() + "').");
}

}  // namespace glossel::dao
