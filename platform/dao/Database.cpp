// Database object over a session.
#include "platform/dao/Database.h"

#include "platform/Error.h"
#include "platform/dao/InsertSelect.h"

namespace glossel::dao {

Database::Database(std::unique_ptr<DatabaseBackend> backend)
    : session_(std::make_shared<DatabaseSession>(std::move(backend))),
      name_(session_->name()),
      tableDefs_(session_) {}

DatabaseSession& Database::open() const {
    if (!session_) {
        throw Error(err::kObjectClosed,
                    "Objekt ungültig oder nicht mehr festgelegt (Datenbank '" + name_ + "').");
    }
    return *session_;
}

dao::TableDefs& Database::TableDefs() {
    open();
    return tableDefs_;
}

TableDef Database::CreateTableDef(const std::string& name) const {
    open();
    return TableDef(name);
}

Recordset Database::OpenRecordset(const std::string& name) const {
    return Recordset(open().openTable(name));
}

void Database::Execute(const std::string& statement) {
    runInsertSelect(open(), statement);
}

void Database::Close() {
    open().close();
    session_.reset();
    tableDefs_ = dao::TableDefs(nullptr);
}

}  // namespace glossel::dao
