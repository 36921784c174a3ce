// Table recordset over a Jet table cursor.
#include "platform/dao/Recordset.h"

#include "platform/Error.h"
#include "platform/dao/TableDefs.h"

namespace glossel::dao {

Recordset::Recordset(std::shared_ptr<const jet::JetDatabase> database,
                     std::shared_ptr<const jet::TableDefinition> table)
    : database_(std::move(database)),
      table_(std::move(table)),
      record_(std::make_shared<CurrentRecord>()),
      fields_(fieldsOf(*database_, *table_, record_)) {
    record_->table = table_->name;
    cursor_.emplace(database_->rows(table_));
    readNext();
}

void Recordset::requireOpen() const {
    if (!record_->open) {
        throw Error(err::kObjectClosed, "Objekt ungültig oder nicht mehr festgelegt (Recordset '" +
                                            table_->name + "').");
    }
}

void Recordset::readNext() {
    record_->onRecord = cursor_->next();
    record_->values = record_->onRecord ? cursor_->values() : std::vector<Variant>{};
}

void Recordset::MoveFirst() {
    requireOpen();
    cursor_.emplace(database_->rows(table_));
    readNext();
    if (!record_->onRecord) {
        throw Error(err::kNoCurrentRecord,
                    "Kein aktueller Datensatz: die Tabelle '" + table_->name + "' ist leer.");
    }
}

void Recordset::MoveNext() {
    requireOpen();
    if (!record_->onRecord) {
        throw Error(err::kNoCurrentRecord, "Kein aktueller Datensatz in '" + table_->name + "'.");
    }
    readNext();
}

bool Recordset::Eof() const {
    requireOpen();
    return !record_->onRecord;
}

void Recordset::Close() {
    requireOpen();
    record_->open = false;
    record_->onRecord = false;
    cursor_.reset();
}

}  // namespace glossel::dao
