// The checks of a cell's place and value against a format's limits.
#include "platform/spreadsheet/SheetLimits.h"

#include <cmath>

#include "platform/Error.h"
#include "platform/nls/Utf16.h"
#include "platform/spreadsheet/CellNames.h"

namespace glossel::spreadsheet {
namespace {

// 1048576 → "1.048.576", as German texts write numbers.
std::string grouped(std::uint64_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, ".");
    }
    return digits;
}

}  // namespace

void checkPlace(const SheetLimits& limits, const std::string& sheet, std::uint32_t row,
                std::uint32_t column) {
    if (row >= limits.rows) {
        std::string text = "Das Tabellenblatt '" + sheet + "' ist voll: " + limits.sheetKind +
                           " hat höchstens " + grouped(limits.rows) +
                           " Zeilen, verlangt ist Zeile " + grouped(std::uint64_t{row} + 1) + ".";
        if (*limits.largerFormat) {
            text += std::string(" ") + limits.largerFormat;
        }
        throw Error(err::kSpreadsheetFull, text);
    }
    if (column >= limits.columns) {
        throw Error(err::kSpreadsheetFull,
                    "Das Tabellenblatt '" + sheet + "' ist voll: " + limits.sheetKind +
                        " hat höchstens " + grouped(limits.columns) + " Spalten (A bis " +
                        columnName(limits.columns - 1) + "), verlangt ist Spalte " +
                        grouped(std::uint64_t{column} + 1) + ".");
    }
}

void checkValue(const SheetLimits& limits, const std::string& sheet, std::uint32_t row,
                std::uint32_t column, const CellValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        // Every UTF-16 unit comes from at least one byte: only long texts need counting.
        const std::size_t length =
            text->size() <= limits.cellCharacters ? text->size() : nls::toUtf16(*text).size();
        if (length > limits.cellCharacters) {
            throw Error(err::kFieldTooSmall,
                        "Das Feld ist zu klein für die Datenmenge: die Zelle " +
                            cellName(row, column) + " im Blatt '" + sheet + "' fasst höchstens " +
                            grouped(limits.cellCharacters) + " Zeichen, der Text hat " +
                            std::to_string(length) + ".");
        }
    } else if (const auto* number = std::get_if<double>(&value);
               number && !std::isfinite(*number)) {
        throw Error(err::kInvalidArgument, "Die Zelle " + cellName(row, column) + " im Blatt '" +
                                               sheet +
                                               "' kann keine unendliche oder ungültige Zahl "
                                               "aufnehmen.");
    }
}

}  // namespace glossel::spreadsheet
