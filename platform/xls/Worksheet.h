// One worksheet of an open Excel 97 workbook: its cells as BIFF8 records held them. The used range
// covers every cell record, formatted empty cells included; rows past it that only carry
// formatting do not count.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/spreadsheet/Worksheet.h"
#include "platform/xls/SheetContent.h"

namespace glossel::xls {

class Worksheet : public spreadsheet::Worksheet {
public:
    Worksheet(std::string name, SheetContent content, spreadsheet::StringTable& strings,
              const CellFormats& formats);
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::string& name() const override { return name_; }
    std::uint32_t rowCount() const override { return rowEnd_; }
    std::uint32_t columnCount() const override { return columnEnd_; }

    CellValue cell(std::uint32_t row, std::uint32_t column) const override;
    bool holdsFormula(std::uint32_t row, std::uint32_t column) const override;
    // The XF (cell format) index of the cell; nullopt where there is no cell.
    std::optional<std::uint16_t> cellXf(std::uint32_t row, std::uint32_t column) const;
    // The COLINFO records (widths, formats) as read.
    const std::vector<ColInfoRecord>& columnInfo() const { return content_.columns; }

    // A new cell takes the XF of its row, else of its column, else the default cell XF; Empty
    // where there is no cell changes nothing. Limits: 65,536 rows, 256 columns (IV), 32,767
    // characters.
    void setCell(std::uint32_t row, std::uint32_t column, const CellValue& value) override;
    std::uint32_t appendRow(std::span<const CellValue> values) override;

    bool modified() const override { return modified_; }
    void markSaved() { modified_ = false; }
    // Whether a cell holds a text of the string table.
    bool holdsText() const;
    // The next appended row follows the used range again, as after reading the sheet.
    void forgetAppendedRows() { appendEnd_ = 0; }
    // The rows and cells as held: for the writer, and for walking only the cells that exist.
    const SheetContent& content() const { return content_; }

private:
    const Cell* find(std::uint32_t row, std::uint32_t column) const;
    void checkValue(std::uint32_t row, std::uint32_t column, const CellValue& value) const;
    std::uint16_t newCellXf(std::uint16_t row, std::uint16_t column) const;
    void store(std::uint16_t row, std::uint16_t column, const CellValue& value);

    std::string name_;
    SheetContent content_;
    spreadsheet::StringTable& strings_;
    const CellFormats& formats_;
    std::uint32_t rowEnd_ = 0;
    std::uint32_t columnEnd_ = 0;
    std::uint32_t appendEnd_ = 0;
    bool modified_ = false;
};

}  // namespace glossel::xls
