// A DAO database opened through DBEngine: its table definitions and table recordsets.
// Closing it (or dropping the last handle) closes the file.
#pragma once

#include <memory>
#include <string>

#include "platform/dao/Recordset.h"
#include "platform/dao/TableDefs.h"
#include "platform/jet/JetDatabase.h"

namespace glossel::dao {

class Database {
public:
    explicit Database(std::shared_ptr<const jet::JetDatabase> database);

    const std::string& Name() const;
    const dao::TableDefs& TableDefs() const;
    // A table-type recordset on the table of that name; error 3078 when there is none.
    Recordset OpenRecordset(const std::string& name) const;
    void Close();

private:
    const jet::JetDatabase& open() const;

    std::shared_ptr<const jet::JetDatabase> database_;
    std::string name_;
    dao::TableDefs tableDefs_;
};

}  // namespace glossel::dao
