// Database object over an open Jet file.
#include "platform/dao/Database.h"

#include "platform/Error.h"

namespace glossel::dao {

Database::Database(std::shared_ptr<const jet::JetDatabase> database)
    : database_(std::move(database)), name_(database_->path()), tableDefs_(database_) {}

const jet::JetDatabase& Database::open() const {
    if (!database_) {
        throw Error(err::kObjectClosed,
                    "Objekt ungültig oder nicht mehr festgelegt (Datenbank '" + name_ + "').");
    }
    return *database_;
}

const std::string& Database::Name() const {
    return name_;
}

const dao::TableDefs& Database::TableDefs() const {
    open();
    return tableDefs_;
}

Recordset Database::OpenRecordset(const std::string& name) const {
    const jet::JetDatabase& database = open();
    std::shared_ptr<const jet::TableDefinition> table;
    try {
        table = database.table(name);
    } catch (const Error& error) {
        if (error.number() != err::kObjectNotFound) {
            throw;
        }
        throw Error(err::kInputTableNotFound, "Die Eingabetabelle oder -abfrage '" + name +
                                                  "' wurde in der Datenbank '" + name_ +
                                                  "' nicht gefunden.");
    }
    return Recordset(database_, std::move(table));
}

void Database::Close() {
    open();
    database_.reset();
    tableDefs_ = dao::TableDefs(nullptr);
}

}  // namespace glossel::dao
