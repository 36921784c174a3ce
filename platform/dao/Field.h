// DAO fields: a table definition's or a recordset's columns, in the table's column order.
// A recordset's field reads the value of the record the recordset stands on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace glossel::dao {

// The record a recordset stands on; shared between the recordset and its fields.
struct CurrentRecord {
    std::string table;
    bool open = true;
    bool onRecord = false;
    std::vector<Variant> values;
};

class Field {
public:
    Field(std::string name, std::uint8_t type, std::uint16_t size,
          std::shared_ptr<const CurrentRecord> record, std::size_t index);

    const std::string& Name() const { return name_; }
    // Jet type code (dbText = 10, dbLong = 4, ...).
    std::uint8_t Type() const { return type_; }
    // Bytes for fixed types, characters for text.
    std::uint16_t Size() const { return size_; }
    // The current record's value; error 3021 when there is no current record, 3219 for a field
    // of a table definition, which has no records.
    const Variant& Value() const;

private:
    std::string name_;
    std::uint8_t type_;
    std::uint16_t size_;
    std::shared_ptr<const CurrentRecord> record_;
    std::size_t index_;
};

class Fields {
public:
    explicit Fields(std::vector<Field> fields) : fields_(std::move(fields)) {}

    std::size_t Count() const { return fields_.size(); }
    const Field& Item(std::size_t index) const;
    // By name, letter case ignored; error 3265 when the collection has no such field.
    const Field& Item(const std::string& name) const;

    auto begin() const { return fields_.begin(); }
    auto end() const { return fields_.end(); }

private:
    std::vector<Field> fields_;
};

}  // namespace glossel::dao
