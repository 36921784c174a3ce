// Test helpers for database work.
#include "tests/TestDatabase.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "platform/dao/DBEngine.h"

namespace glossel::test {

int errorNumberOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

Error errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "no error raised";
    return Error(0, "");
}

Rows readRows(const std::string& path, const std::string& table, const std::string& connect) {
    auto database = dao::DBEngine().OpenDatabase(path, false, connect);
    auto records = database.OpenRecordset(table);
    Rows rows;
    for (; !records.Eof(); records.MoveNext()) {
        std::vector<Variant> row;
        for (const auto& field : records.Fields()) {
            row.push_back(field.Value());
        }
        rows.push_back(std::move(row));
    }
    records.Close();
    database.Close();
    return rows;
}

}  // namespace glossel::test
