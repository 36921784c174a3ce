// DAO table definitions of an open database: each with its name and fields, and new text fields
// made with CreateField and added with Fields.Append.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DatabaseBackend.h"
#include "platform/dao/Field.h"

namespace glossel::dao {

class TableDef {
public:
    TableDef(std::shared_ptr<DatabaseBackend> backend, std::string name);

    const std::string& Name() const { return name_; }
    const dao::Fields& Fields() const { return fields_; }
    dao::Fields& Fields() { return fields_; }
    // A new field to append; only text fields (dbText = 10) can be added.
    Field CreateField(const std::string& name, std::int32_t type, std::int16_t size) const;

private:
    std::shared_ptr<DatabaseBackend> backend_;
    std::string name_;
    dao::Fields fields_;
};

class TableDefs {
public:
    explicit TableDefs(std::shared_ptr<DatabaseBackend> backend) : backend_(std::move(backend)) {}

    // The user tables.
    std::size_t Count() const;
    TableDef Item(std::size_t index) const;
    // By name, letter case ignored; error 3265 when the database has no such table.
    TableDef Item(const std::string& name) const;

private:
    std::shared_ptr<DatabaseBackend> backend_;
};

}  // namespace glossel::dao
