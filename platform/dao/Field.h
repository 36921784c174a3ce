// DAO fields: a table definition's or a recordset's columns, in the table's column order.
// A recordset's field reads the value of the record the recordset stands on, and during Edit or
// AddNew takes the value that Update will store.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Variant.h"
#include "platform/dao/DatabaseBackend.h"

namespace glossel::dao {

// The record a recordset stands on and the changes being made to it; shared between the
// recordset and its fields.
struct CurrentRecord {
    enum class Editing { None, Edit, AddNew };

    std::string table;
    bool open = true;
    bool onRecord = false;
    RecordSource* source = nullptr;  // reads the current record's values
    Editing editing = Editing::None;
    std::vector<std::optional<Variant>> changes;
};

class Field {
public:
    // A new field, as TableDef.CreateField makes it, not yet appended to a table.
    Field(std::string name, std::uint8_t type, std::uint16_t size);
    // A field of a table definition (no record) or of a recordset.
    Field(FieldInfo info, std::shared_ptr<CurrentRecord> record, std::size_t index);

    const std::string& Name() const { return info_.name; }
    std::uint8_t Type() const { return info_.type; }
    std::uint16_t Size() const { return info_.size; }
    bool AllowZeroLength() const { return info_.allowZeroLength; }
    void SetAllowZeroLength(bool allow) { info_.allowZeroLength = allow; }
    bool Required() const { return info_.required; }

    // The current record's value (the value set during Edit or AddNew, once set); error 3021 when
    // there is no current record, 3219 for a field that belongs to no recordset.
    const Variant& Value() const;
    // Error 3020 unless the recordset is in Edit or AddNew.
    void SetValue(const Variant& value) const;

private:
    CurrentRecord& record() const;

    FieldInfo info_;
    std::shared_ptr<CurrentRecord> record_;
    std::size_t index_ = 0;
};

class Fields {
public:
    using Appender = std::function<Field(const Field&)>;

    explicit Fields(std::vector<Field> fields, Appender appender = {})
        : fields_(std::move(fields)), appender_(std::move(appender)) {}

    std::size_t Count() const { return fields_.size(); }
    const Field& Item(std::size_t index) const;
    // By name, letter case ignored; error 3265 when the collection has no such field.
    const Field& Item(const std::string& name) const;
    // Adds a new field to the table; error 3219 for the fields of a recordset.
    void Append(const Field& field);

    auto begin() const { return fields_.begin(); }
    auto end() const { return fields_.end(); }

private:
    std::vector<Field> fields_;
    Appender appender_;
};

}  // namespace glossel::dao
