// Table recordset over a record source.
#include "platform/dao/Recordset.h"

#include "platform/Error.h"

namespace glossel::dao {
namespace {

std::vector<Field> recordFields(const RecordSource& source,
                                const std::shared_ptr<CurrentRecord>& record) {
    std::vector<Field> fields;
    for (std::size_t i = 0; i < source.fields().size(); ++i) {
        fields.emplace_back(source.fields()[i], record, i);
    }
    return fields;
}

}  // namespace

Recordset::Recordset(std::unique_ptr<RecordSource> source)
    : source_(std::move(source)),
      record_(std::make_shared<CurrentRecord>()),
      fields_(recordFields(*source_, record_)) {
    record_->table = source_->name();
    record_->source = source_.get();
    readNext();
}

void Recordset::requireOpen() const {
    if (!record_->open) {
        throw Error(err::kObjectClosed, "Objekt ungültig oder nicht mehr festgelegt (Recordset '" +
                                            record_->table + "').");
    }
}

void Recordset::readNext() {
    record_->onRecord = source_->next();
}

void Recordset::MoveFirst() {
    requireOpen();
    source_->rewind();
    readNext();
    if (!record_->onRecord) {
        throw Error(err::kNoCurrentRecord,
                    "Kein aktueller Datensatz: die Tabelle '" + record_->table + "' ist leer.");
    }
}

void Recordset::MoveNext() {
    requireOpen();
    if (!record_->onRecord) {
        throw Error(err::kNoCurrentRecord, "Kein aktueller Datensatz in '" + record_->table + "'.");
    }
    readNext();
}

bool Recordset::Eof() const {
    requireOpen();
    return !record_->onRecord;
}

void Recordset::AddNew() {
    requireOpen();
    record_->editing = CurrentRecord::Editing::AddNew;
    record_->changes.assign(fields_.Count(), std::nullopt);
}

void Recordset::Edit() {
    requireOpen();
    if (!record_->onRecord) {
        throw Error(err::kNoCurrentRecord,
                    "Kein aktueller Datensatz zum Bearbeiten in '" + record_->table + "'.");
    }
    record_->editing = CurrentRecord::Editing::Edit;
    record_->changes.assign(fields_.Count(), std::nullopt);
}

void Recordset::Update(int /*type*/, bool /*force*/) {
    requireOpen();
    switch (record_->editing) {
        case CurrentRecord::Editing::None:
            throw Error(err::kUpdateWithoutEdit,
                        "Update ohne AddNew oder Edit in '" + record_->table + "'.");
        case CurrentRecord::Editing::AddNew: {
            std::vector<Variant> values;
            for (const auto& change : record_->changes) {
                values.push_back(change.value_or(Null{}));
            }
            source_->append(values);
            break;
        }
        case CurrentRecord::Editing::Edit:
            source_->update(record_->changes);
            break;
    }
    CancelUpdate();
}

void Recordset::CancelUpdate() {
    record_->editing = CurrentRecord::Editing::None;
    record_->changes.clear();
}

void Recordset::Close() {
    requireOpen();
    record_->open = false;
    record_->onRecord = false;
    record_->source = nullptr;
    source_.reset();
}

}  // namespace glossel::dao
