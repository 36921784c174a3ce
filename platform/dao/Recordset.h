// A DAO table recordset: walks a table's records in storage order, forward only, as the program
// uses it (MoveFirst, then MoveNext until Eof), and adds and changes records with AddNew or Edit,
// field values, and Update.
#pragma once

#include <memory>

#include "platform/dao/DatabaseBackend.h"
#include "platform/dao/Field.h"

namespace glossel::dao {

inline constexpr int kDbUpdateRegular = 1;

class Recordset {
public:
    explicit Recordset(std::unique_ptr<RecordSource> source);

    // To the first record; error 3021 when the table has none.
    void MoveFirst();
    void MoveNext();
    // DAO's EOF: true once the recordset has moved past the last record.
    bool Eof() const;
    const dao::Fields& Fields() const { return fields_; }

    // Starts a new record: its fields are null until set.
    void AddNew();
    // Starts changing the current record; error 3021 when there is none.
    void Edit();
    // Stores the new or changed record; error 3020 without AddNew or Edit. On an error the
    // changes stay pending, as in DAO.
    void Update(int type = kDbUpdateRegular, bool force = false);
    void CancelUpdate();
    void Close();

private:
    void requireOpen() const;
    void readNext();

    std::unique_ptr<RecordSource> source_;
    std::shared_ptr<CurrentRecord> record_;
    dao::Fields fields_;
};

}  // namespace glossel::dao
