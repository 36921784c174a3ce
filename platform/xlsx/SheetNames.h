// Cell references of spreadsheet XML ("B7"), read and checked against the sheet's limits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace glossel::xlsx {

struct CellPlace {
    std::uint32_t row = 0;     // from 0
    std::uint32_t column = 0;  // from 0
};

// "B7" → row 6, column 1; nullopt for anything else, and for places past the sheet's limits.
std::optional<CellPlace> parseCellReference(std::string_view reference);
// A whole decimal number in 1 … limit; nullopt for anything else.
std::optional<std::uint32_t> parseNumberUpTo(std::string_view text, std::uint32_t limit);

}  // namespace glossel::xlsx
