// One worksheet of an Office Open XML workbook: its cells as the worksheet part held them. Cells
// that hold only a format count for the used range, as in every spreadsheet.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/spreadsheet/StringTable.h"
#include "platform/spreadsheet/Worksheet.h"
#include "platform/xlsx/SheetPart.h"

namespace glossel::xlsx {

class Worksheet : public spreadsheet::Worksheet {
public:
    Worksheet(std::string name, SheetPart part, spreadsheet::StringTable& strings);
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    const std::string& name() const override { return name_; }
    std::uint32_t rowCount() const override { return rowEnd_; }
    std::uint32_t columnCount() const override { return columnEnd_; }

    spreadsheet::CellValue cell(std::uint32_t row, std::uint32_t column) const override;
    bool holdsFormula(std::uint32_t row, std::uint32_t column) const override;
    // A new cell takes the format of its row, else of its column, else the default. Limits:
    // 1,048,576 rows, 16,384 columns (XFD), 32,767 characters.
    void setCell(std::uint32_t row, std::uint32_t column, const spreadsheet::CellValue& value) override;
    std::uint32_t appendRow(std::span<const spreadsheet::CellValue> values) override;
    bool modified() const override { return modified_; }

    void markSaved() { modified_ = false; }
    void forgetAppendedRows() { appendEnd_ = 0; }
    const SheetPart& part() const { return part_; }

private:
    void checkValue(std::uint32_t row, std::uint32_t column, const spreadsheet::CellValue& value) const;
    std::uint16_t newCellStyle(std::uint32_t row, std::uint32_t column) const;
    void store(std::uint32_t row, std::uint32_t column, const spreadsheet::CellValue& value);

    std::string name_;
    SheetPart part_;
    spreadsheet::StringTable& strings_;
    std::uint32_t rowEnd_ = 0;
    std::uint32_t columnEnd_ = 0;
    std::uint32_t appendEnd_ = 0;
    bool modified_ = false;
};

}  // namespace glossel::xlsx
