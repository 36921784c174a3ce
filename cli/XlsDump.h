// glossel-cli's view of Excel workbooks: the worksheets of an .xls or .xlsx file, and one worksheet as
// CSV in the form of the Jet table dump.
#pragma once

#include <ostream>
#include <string>

namespace glossel::cli {

// Whether the path ends in ".xls" or ".xlsx", letter case ignored.
bool isWorkbookPath(const std::string& path);

// The worksheet names, one per line, in workbook order.
void listWorksheets(const std::string& path, std::ostream& out);
// A header row F1 … Fn (n = last used column, at least 1), then every row from sheet row 1 to
// the last used row, so that a cell's place in the dump is its place in the sheet. Texts
// quoted, numbers (dates too, as serial numbers) in the shortest plain form that reads back to
// the same value, TRUE/FALSE, error cells as #DIV/0! and the like, empty cells empty.
void dumpWorksheet(const std::string& path, const std::string& sheet, std::ostream& out);

}  // namespace glossel::cli
