// The value of a worksheet cell: empty, a number (dates too, as their serial number), a text
// (UTF-8), a boolean or an error code; and its conversion to and from the engine's Variant.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/Variant.h"

namespace glossel::spreadsheet {

struct Empty {
    bool operator==(const Empty&) const = default;
};

// The error values a cell can hold, with Excel's codes.
enum class CellError : std::uint8_t {
    Null = 0x00,            // #NULL!
    DivisionByZero = 0x07,  // #DIV/0!
    Value = 0x0F,           // #VALUE!
    Reference = 0x17,       // #REF!
    Name = 0x1D,            // #NAME?
    Number = 0x24,          // #NUM!
    NotAvailable = 0x2A,    // #N/A
};

using CellValue = std::variant<Empty, double, std::string, bool, CellError>;

// The error of that code; nullopt for a code Excel does not use.
std::optional<CellError> cellErrorFromCode(std::uint8_t code);
// "#DIV/0!" and the like.
std::string_view errorText(CellError error);

// Empty and error cells read as Null, numbers as double, texts as string, booleans as bool.
Variant toVariant(CellValue value);
// Null becomes empty; numbers of every kind (integers, Currency, dates, Decimal) become numbers.
// GUIDs and binary data have no cell form: error 13.
CellValue fromVariant(const Variant& value);

}  // namespace glossel::spreadsheet
