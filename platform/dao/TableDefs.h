// DAO table definitions of an open database: its tables and links, each with its name and
// fields; new text fields made with CreateField and added with Fields.Append; links made with
// Database.CreateTableDef, Connect and SourceTableName, and added with TableDefs.Append.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DatabaseSession.h"
#include "platform/dao/Field.h"

namespace glossel::dao {

class TableDef {
public:
    // A new definition, as Database.CreateTableDef makes it: a name and nothing else.
    explicit TableDef(std::string name);
    // A table or link of an open database.
    TableDef(std::shared_ptr<DatabaseSession> session, std::string name);

    const std::string& Name() const { return name_; }
    const dao::Fields& Fields() const { return fields_; }
    dao::Fields& Fields() { return fields_; }
    const std::string& Connect() const { return connect_; }
    void SetConnect(const std::string& connect) { connect_ = connect; }
    const std::string& SourceTableName() const { return sourceTable_; }
    void SetSourceTableName(const std::string& table) { sourceTable_ = table; }

    // A new field to append; only text fields (dbText = 10) can be added.
    Field CreateField(const std::string& name, std::int32_t type, std::int16_t size) const;

private:
    std::string name_;
    std::string connect_;
    std::string sourceTable_;
    dao::Fields fields_;
};

class TableDefs {
public:
    explicit TableDefs(std::shared_ptr<DatabaseSession> session) : session_(std::move(session)) {}

    std::size_t Count() const;
    TableDef Item(std::size_t index) const;
    // By name, letter case ignored; error 3265 when the database has no such table.
    TableDef Item(const std::string& name) const;
    // Adds a link; error 3264 for a definition without connect string or source table.
    void Append(const TableDef& definition);
    // Removes a link; error 3265 when there is none of that name.
    void Delete(const std::string& name);

private:
    std::shared_ptr<DatabaseSession> session_;
};

}  // namespace glossel::dao
