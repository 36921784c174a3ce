// DAO table definitions of an open database: each with its name and fields.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/dao/Field.h"
#include "platform/jet/JetDatabase.h"

namespace glossel::dao {

class TableDef {
public:
    TableDef(std::string name, Fields fields)
        : name_(std::move(name)), fields_(std::move(fields)) {}

    const std::string& Name() const { return name_; }
    const dao::Fields& Fields() const { return fields_; }

private:
    std::string name_;
    dao::Fields fields_;
};

class TableDefs {
public:
    explicit TableDefs(std::shared_ptr<const jet::JetDatabase> database);

    // The user tables, in catalogue order.
    std::size_t Count() const;
    TableDef Item(std::size_t index) const;
    // By name, letter case ignored; error 3265 when the database has no such table.
    TableDef Item(const std::string& name) const;

private:
    std::shared_ptr<const jet::JetDatabase> database_;
};

// The fields of a Jet table, reading values from `record` (null for a table definition).
Fields fieldsOf(const jet::JetDatabase& database, const jet::TableDefinition& table,
                std::shared_ptr<const CurrentRecord> record);

}  // namespace glossel::dao
