// How many rows, columns and characters a worksheet of one file format holds, and the checks
// every format makes before a cell is set. Each format names its limits in its own format header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/spreadsheet/CellValue.h"

namespace glossel::spreadsheet {

struct SheetLimits {
    std::uint32_t rows;
    std::uint32_t columns;
    std::size_t cellCharacters;  // UTF-16 code units
    const char* sheetKind;       // for messages: "ein Excel-97-Arbeitsblatt"
    const char* largerFormat;    // for messages: what takes more rows; empty when nothing does
};

// Error 3437 when the place lies past the last row or column.
void checkPlace(const SheetLimits& limits, const std::string& sheet, std::uint32_t row,
                std::uint32_t column);
// Error 3163 for a text longer than a cell holds, 5 for NaN or infinity.
void checkValue(const SheetLimits& limits, const std::string& sheet, std::uint32_t row,
                std::uint32_t column, const CellValue& value);

}  // namespace glossel::spreadsheet
