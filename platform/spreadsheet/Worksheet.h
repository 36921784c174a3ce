// A worksheet as the engine reads and changes it, whatever file format holds it: cells by row
// and column counting from 0 (row 0 = sheet row 1, column 0 = column A). The used range covers
// every cell the sheet holds, formatted empty cells included. Not thread-safe; the workbook that
// owns a sheet must outlive it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/spreadsheet/CellValue.h"

namespace glossel::spreadsheet {

class Worksheet {
public:
    virtual ~Worksheet() = default;

    virtual const std::string& name() const = 0;
    // One past the last row / column holding a cell; 0 for an empty sheet.
    virtual std::uint32_t rowCount() const = 0;
    virtual std::uint32_t columnCount() const = 0;

    // Empty where there is no cell; a formula cell gives the result the file stored.
    virtual CellValue cell(std::uint32_t row, std::uint32_t column) const = 0;
    // Whether the cell holds a formula.
    virtual bool holdsFormula(std::uint32_t row, std::uint32_t column) const = 0;

    // Sets a cell. An existing cell keeps its format; Empty turns it into a formatted empty cell.
    // Setting the value a cell already holds changes nothing. Errors: 3437 past the format's last
    // row or column, 3163 for a text longer than a cell holds, 5 for a number a cell cannot hold
    // (NaN, infinity), 3219 for the cell that defines a formula other cells share.
    virtual void setCell(std::uint32_t row, std::uint32_t column, const CellValue& value) = 0;
    // Writes `values` into columns 0… of the first free row: one past the used range and past
    // every row appended before. Returns that row. Checks every value before changing anything.
    virtual std::uint32_t appendRow(std::span<const CellValue> values) = 0;

    virtual bool modified() const = 0;
};

}  // namespace glossel::spreadsheet
