// An exchange file's text table seen as a grid of cells with a header, whichever kind of file
// holds it: the worksheet `TidxTexts` (else the first) of a workbook, or the table `TidxTexts`
// (else the only user table) of a database.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/spreadsheet/CellValue.h"

namespace glossel::transfer {

class ExchangeTable {
public:
    virtual ~ExchangeTable() = default;

    virtual const std::vector<std::string>& columnNames() const = 0;
    // To the next data row; false after the last.
    virtual bool next() = 0;
    // A cell of the current row: texts, numbers, booleans and errors as a worksheet holds them
    // (a database's other value kinds arrive as an error cell).
    virtual spreadsheet::CellValue cell(std::size_t column) = 0;
    // Whether that cell holds a formula, whose result the file stored: in workbooks only.
    virtual bool holdsFormula(std::size_t column) const = 0;
    // Where the current row is, for messages; with a column, where that cell is.
    virtual std::string place() const = 0;
    virtual std::string cellPlace(std::size_t column) const = 0;
    // Whether the export writes a row under the header here (ID 0, every other cell empty),
    // which is no text of the project: in workbooks only.
    virtual bool holdsExportFillerRow() const = 0;
};

// Opens the exchange file by its extension ("xls" or "mdb", exact letter case).
std::unique_ptr<ExchangeTable> openExchangeTable(const std::string& path);

}  // namespace glossel::transfer
