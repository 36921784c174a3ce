// Cells and columns named as spreadsheets show them: column 0 is "A", … "Z", "AA", …; the cell
// in row 0, column 0 is "A1".
#pragma once

#include <cstdint>
#include <string>

namespace glossel::spreadsheet {

std::string columnName(std::uint32_t column);
std::string cellName(std::uint32_t row, std::uint32_t column);

}  // namespace glossel::spreadsheet
