// Column letters and cell names.
#include "platform/spreadsheet/CellNames.h"

namespace glossel::spreadsheet {

std::string columnName(std::uint32_t column) {
    std::string name;
    for (std::uint32_t n = column + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

std::string cellName(std::uint32_t row, std::uint32_t column) {
    return columnName(column) + std::to_string(std::uint64_t{row} + 1);
}

}  // namespace glossel::spreadsheet
