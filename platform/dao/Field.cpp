// Field and field collection.
#include "platform/dao/Field.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/NameCompare.h"

namespace glossel::dao {

Field::Field(std::string name, std::uint8_t type, std::uint16_t size)
    : info_{std::move(name), type, size} {}

Field::Field(FieldInfo info, std::shared_ptr<CurrentRecord> record, std::size_t index)
    : info_(std::move(info)), record_(std::move(record)), index_(index) {}

CurrentRecord& Field::record() const {
    if (!record_) {
        throw Error(err::kInvalidOperation,
                    "Unzulässige Operation: das Feld '" + info_.name +
                        "' gehört zu keinem Recordset und hat keinen Wert.");
    }
    if (!record_->open) {
        throw Error(err::kObjectClosed,
                    "Objekt ungültig oder nicht mehr festgelegt (Feld '" + info_.name + "').");
    }
    return *record_;
}

const Variant& Field::Value() const {
    static const Variant null = Null{};
    const CurrentRecord& current = record();
    if (current.editing != CurrentRecord::Editing::None && current.changes[index_]) {
        return *current.changes[index_];
    }
    if (current.editing == CurrentRecord::Editing::AddNew) {
        return null;
    }
    if (!current.onRecord) {
        throw Error(err::kNoCurrentRecord, "Kein aktueller Datensatz in '" + current.table +
                                               "' (Feld '" + info_.name + "').");
    }
    return current.source->value(index_);
}

void Field::SetValue(const Variant& value) const {
    CurrentRecord& current = record();
    if (current.editing == CurrentRecord::Editing::None) {
        throw Error(err::kUpdateWithoutEdit, "Wert für das Feld '" + info_.name + "' in '" +
                                                 current.table + "' ohne AddNew oder Edit.");
    }
    current.changes.at(index_) = value;
}

const Field& Fields::Item(std::size_t index) const {
    if (index >= fields_.size()) {
        throw Error(err::kItemNotFound,
                    "Element " + std::to_string(index) + " in dieser Auflistung nicht gefunden.");
    }
    return fields_[index];
}

const Field& Fields::Item(const std::string& name) const {
    const auto found = std::find_if(fields_.begin(), fields_.end(),
                                    [&](const Field& f) { return sameName(f.Name(), name); });
    if (found == fields_.end()) {
        throw Error(err::kItemNotFound,
                    "Element '" + name + "' in dieser Auflistung nicht gefunden.");
    }
    return *found;
}

void Fields::Append(const Field& field) {
    if (!appender_) {
        throw Error(err::kInvalidOperation,
                    "Unzulässige Operation: an diese Auflistung kann kein Feld angefügt werden.");
    }
    fields_.push_back(appender_(field));
}

}  // namespace glossel::dao
