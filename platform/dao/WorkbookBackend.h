// Workbooks behind DAO databases and links, as Jet's Excel driver presents them, for every
// workbook format the engine reads (the caller names the format's reader): each worksheet
// is a table named after it with "$" appended, spanning the sheet from row 1 and column A to the
// last used row and column. With HDR=YES the first row names the fields (an empty cell gives
// "F" + its position) and records start at row 2; with HDR=NO every row is a record and the
// fields are F1, F2, ...
#pragma once

#include <memory>
#include <string>

#include "platform/dao/DatabaseBackend.h"
#include "platform/spreadsheet/WorkbookFile.h"

namespace glossel::dao {

std::unique_ptr<DatabaseBackend> openWorkbookBackend(const std::string& path,
                                                     spreadsheet::WorkbookReader reader, bool exclusive,
                                                     bool firstRowHoldsNames);

}  // namespace glossel::dao
