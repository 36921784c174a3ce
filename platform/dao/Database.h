// A DAO database opened through DBEngine: its table definitions and links, table recordsets, and
// the insert-select statement. Close writes what is buffered and closes the file (and the files
// its links opened); dropping the last handle does the same, but then a failure is not reported.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DatabaseSession.h"
#include "platform/dao/Recordset.h"
#include "platform/dao/TableDefs.h"

namespace glossel::dao {

class Database {
public:
    explicit Database(std::unique_ptr<DatabaseBackend> backend);

    const std::string& Name() const { return name_; }
    dao::TableDefs& TableDefs();
    TableDef CreateTableDef(const std::string& name) const;
    // A table-type recordset on the table or link of that name; error 3078 when there is none.
    Recordset OpenRecordset(const std::string& name) const;
    // Runs "INSERT INTO target SELECT column, ... FROM source": every source row, in storage
    // order, becomes a target row; columns are matched by name. A row the target refuses stops
    // the statement with an error naming the row's ID and the column.
    void Execute(const std::string& statement);
    void Close();

private:
    DatabaseSession& open() const;

    std::shared_ptr<DatabaseSession> session_;
    std::string name_;
    dao::TableDefs tableDefs_;
};

}  // namespace glossel::dao
