// Reading and changing the cells of an Office Open XML worksheet.
#include "platform/xlsx/Worksheet.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/spreadsheet/CellNames.h"
#include "platform/spreadsheet/CellStore.h"
#include "platform/spreadsheet/SheetLimits.h"
#include "platform/xlsx/OoxmlFormat.h"

namespace glossel::xlsx {

Worksheet::Worksheet(std::string name, SheetPart part, spreadsheet::StringTable& strings)
    : name_(std::move(name)), part_(std::move(part)), strings_(strings) {
    for (const auto& [row, entry] : part_.rows) {
        if (!entry.cells.empty()) {
            rowEnd_ = row + 1;
            columnEnd_ = std::max<std::uint32_t>(columnEnd_, entry.cells.back().column + 1u);
        }
    }
}

spreadsheet::CellValue Worksheet::cell(std::uint32_t row, std::uint32_t column) const {
    return spreadsheet::valueOf(
        spreadsheet::findCell(part_.rows, row, column), strings_,
        [&](std::uint32_t formula) { return part_.formulas[formula].result; });
}

bool Worksheet::holdsFormula(std::uint32_t row, std::uint32_t column) const {
    const spreadsheet::Cell* cell = spreadsheet::findCell(part_.rows, row, column);
    return cell && cell->kind == spreadsheet::CellKind::Formula;
}

void Worksheet::checkValue(std::uint32_t row, std::uint32_t column,
                           const spreadsheet::CellValue& value) const {
    spreadsheet::checkValue(kSheetLimits, name_, row, column, value);
    const spreadsheet::Cell* existing = spreadsheet::findCell(part_.rows, row, column);
    if (existing && existing->kind == spreadsheet::CellKind::Formula &&
        part_.formulas[existing->index].definesSharedFormula) {
        throw Error(err::kInvalidOperation,
                    "Die Zelle " + spreadsheet::cellName(row, column) + " im Blatt '" + name_ +
                        "' trägt die Definition einer gemeinsamen Formel oder Matrixformel und "
                        "kann nicht überschrieben werden.");
    }
}

std::uint16_t Worksheet::newCellStyle(std::uint32_t row, std::uint32_t column) const {
    const auto* held = part_.rows.find(row);
    if (held && held->record && held->record->style) {
        return *held->record->style;
    }
    for (const ColumnStyle& style : part_.columns) {
        if (style.first <= column && column <= style.last) {
            return style.style;
        }
    }
    return 0;
}

void Worksheet::store(std::uint32_t row, std::uint32_t column,
                      const spreadsheet::CellValue& value) {
    if (spreadsheet::storeCell(part_.rows, strings_, row, static_cast<std::uint16_t>(column), value,
                               [&] { return newCellStyle(row, column); })) {
        rowEnd_ = std::max(rowEnd_, row + 1);
        columnEnd_ = std::max(columnEnd_, column + 1);
        modified_ = true;
    }
}

void Worksheet::setCell(std::uint32_t row, std::uint32_t column,
                        const spreadsheet::CellValue& value) {
    spreadsheet::checkPlace(kSheetLimits, name_, row, column);
    checkValue(row, column, value);
    store(row, column, value);
}

std::uint32_t Worksheet::appendRow(std::span<const spreadsheet::CellValue> values) {
    const std::uint32_t row = std::max(rowEnd_, appendEnd_);
    spreadsheet::appendCells(
        kSheetLimits, name_, part_.rows, row, values,
        [&](std::uint32_t column, const spreadsheet::CellValue& value) {
            checkValue(row, column, value);
        },
        [&](std::uint32_t column, const spreadsheet::CellValue& value) {
            store(row, column, value);
        });
    appendEnd_ = row + 1;
    modified_ = true;
    return row;
}

}  // namespace glossel::xlsx
