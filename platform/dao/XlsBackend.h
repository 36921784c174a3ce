// Workbooks behind DAO databases and links, as Jet's Excel driver presents them: each worksheet
// is a table named after it with "$" appended, spanning the sheet from row 1 and column A to the
// last used row and column. With HDR=YES the first row names the fields (an empty cell gives
// "F" + its position) and records start at row 2; with HDR=NO every row is a record and the
// fields are F1, F2, ...
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DatabaseBackend.h"

namespace glossel::dao {

std::unique_ptr<DatabaseBackend> openXlsBackend(const std::string& path, bool exclusive,
                                                bool firstRowHoldsNames);

}  // namespace glossel::dao
