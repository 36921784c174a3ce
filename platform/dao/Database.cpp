// Database object over a backend.
#include "platform/dao/Database.h"

#include "platform/Error.h"

namespace glossel::dao {

Database::Database(std::unique_ptr<DatabaseBackend> backend)
    : backend_(std::move(backend)), name_(backend_->name()), tableDefs_(backend_) {}

DatabaseBackend& Database::open() const {
    if (!backend_) {
        throw Error(err::kObjectClosed,
                    "Objekt ungültig oder nicht mehr festgelegt (Datenbank '" + name_ + "').");
    }
    return *backend_;
}

const dao::TableDefs& Database::TableDefs() const {
    open();
    return tableDefs_;
}

Recordset Database::OpenRecordset(const std::string& name) const {
    return Recordset(open().openTable(name));
}

void Database::Close() {
    open().close();
    backend_.reset();
    tableDefs_ = dao::TableDefs(nullptr);
}

}  // namespace glossel::dao
