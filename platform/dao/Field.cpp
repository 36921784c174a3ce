// Field and field collection.
#include "platform/dao/Field.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/NameCompare.h"

namespace glossel::dao {

Field::Field(std::string name, std::uint8_t type, std::uint16_t size,
             std::shared_ptr<const CurrentRecord> record, std::size_t index)
    : name_(std::move(name)), type_(type), size_(size), record_(std::move(record)), index_(index) {}

const Variant& Field::Value() const {
    if (!record_) {
        throw Error(err::kInvalidOperation, "Unzulässige Operation: das Feld '" + name_ +
                                                "' einer Tabellendefinition hat keinen Wert.");
    }
    if (!record_->open) {
        throw Error(err::kObjectClosed,
                    "Objekt ungültig oder nicht mehr festgelegt (Feld '" + name_ + "').");
    }
    if (!record_->onRecord) {
        throw Error(err::kNoCurrentRecord,
                    "Kein aktueller Datensatz in '" + record_->table + "' (Feld '" + name_ + "').");
    }
    return record_->values.at(index_);
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

}  // namespace glossel::dao
