// A DAO table recordset: walks a table's records in storage order. Forward only, as the program
// uses it: MoveFirst, then MoveNext until Eof.
#pragma once

#include <memory>
#include <optional>

#include "platform/dao/Field.h"
#include "platform/jet/JetDatabase.h"

namespace glossel::dao {

class Recordset {
public:
    Recordset(std::shared_ptr<const jet::JetDatabase> database,
              std::shared_ptr<const jet::TableDefinition> table);

    // To the first record; error 3021 when the table has none.
    void MoveFirst();
    void MoveNext();
    // DAO's EOF: true once the recordset has moved past the last record.
    bool Eof() const;
    const dao::Fields& Fields() const { return fields_; }
    void Close();

private:
    void requireOpen() const;
    void readNext();

    std::shared_ptr<const jet::JetDatabase> database_;
    std::shared_ptr<const jet::TableDefinition> table_;
    std::shared_ptr<CurrentRecord> record_;
    std::optional<jet::TableCursor> cursor_;
    dao::Fields fields_;
};

}  // namespace glossel::dao
