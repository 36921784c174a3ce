// One worksheet of an open workbook: read its cells, change them, add rows. Rows and columns
// count from 0 (row 0 = sheet row 1, column 0 = column A). The used range covers every cell
// record, formatted empty cells included; rows past it that only carry formatting do not count.
// Not thread-safe; the workbook that owns it must outlive it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/xls/CellValue.h"
#include "platform/xls/SheetContent.h"
#include "platform/xls/StringTable.h"

namespace glossel::xls {

// A column's name as spreadsheets show it: "A" for 0, ... "Z", "AA", ...
std::string columnName(std::uint32_t column);

class Worksheet {
public:
    Worksheet(std::string name, SheetContent content, StringTable& strings,
              const CellFormats& formats);
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::string& name() const { return name_; }
    // One past the last row / column holding a cell; 0 for an empty sheet.
    std::uint32_t rowCount() const { return rowEnd_; }
    std::uint32_t columnCount() const { return columnEnd_; }

    // Empty where there is no cell.
    CellValue cell(std::uint32_t row, std::uint32_t column) const;
    // The XF (cell format) index of the cell; nullopt where there is no cell.
    std::optional<std::uint16_t> cellXf(std::uint32_t row, std::uint32_t column) const;
    // The COLINFO records (widths, formats) as read.
    const std::vector<ColInfoRecord>& columnInfo() const { return content_.columns; }

    // Sets a cell. An existing cell keeps its XF; Empty turns it into a formatted empty cell.
    // Setting the value a cell already holds changes nothing, so the sheet stays unmodified.
    // A new cell takes the XF of its row, else of its column, else the default cell XF; Empty
    // where there is no cell changes nothing. Errors: 3437 past row 65,536 or column 256 (IV),
    // 3163 for a text over 32,767 characters, 5 for a number Excel cannot hold (NaN, infinity),
    // 3219 for the cell that holds the definition of a shared or array formula.
    void setCell(std::uint32_t row, std::uint32_t column, const CellValue& value);
    // Writes `values` into columns 0… of the first free row: one past the used range and past
    // every row appended before. Returns that row. Checks every value before changing anything.
    std::uint32_t appendRow(std::span<const CellValue> values);

    bool modified() const { return modified_; }
    void markSaved() { modified_ = false; }
    // Whether a cell holds a text of the string table.
    bool holdsText() const;
    // The next appended row follows the used range again, as after reading the sheet.
    void forgetAppendedRows() { appendEnd_ = 0; }
    // The rows and cells as held: for the writer, and for walking only the cells that exist.
    const SheetContent& content() const { return content_; }

private:
    const Cell* find(std::uint32_t row, std::uint32_t column) const;
    void checkPlace(std::uint32_t row, std::uint32_t column) const;
    void checkValue(std::uint32_t row, std::uint32_t column, const CellValue& value) const;
    std::uint16_t newCellXf(std::uint16_t row, std::uint16_t column) const;
    void store(std::uint16_t row, std::uint16_t column, const CellValue& value);

    std::string name_;
    SheetContent content_;
    StringTable& strings_;
    const CellFormats& formats_;
    std::uint32_t rowEnd_ = 0;
    std::uint32_t columnEnd_ = 0;
    std::uint32_t appendEnd_ = 0;
    bool modified_ = false;
};

}  // namespace glossel::xls
