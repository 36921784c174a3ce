// A DAO database opened through DBEngine: its table definitions and table recordsets.
// Close writes what is buffered and closes the file; dropping the last handle does the same,
// but then a failure cannot be reported.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DatabaseBackend.h"
#include "platform/dao/Recordset.h"
#include "platform/dao/TableDefs.h"

namespace glossel::dao {

class Database {
public:
    explicit Database(std::unique_ptr<DatabaseBackend> backend);

    const std::string& Name() const { return name_; }
    const dao::TableDefs& TableDefs() const;
    // A table-type recordset on the table of that name; error 3078 when there is none.
    Recordset OpenRecordset(const std::string& name) const;
    void Close();

private:
    DatabaseBackend& open() const;

    std::shared_ptr<DatabaseBackend> backend_;
    std::string name_;
    dao::TableDefs tableDefs_;
};

}  // namespace glossel::dao
