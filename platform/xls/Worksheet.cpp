// Reading and changing the cells of a worksheet.
#include "platform/xls/Worksheet.h"

#include <algorithm>

#include "platform/Error.h"
#include "platform/spreadsheet/CellNames.h"
#include "platform/spreadsheet/CellStore.h"

namespace glossel::xls {
namespace {

using spreadsheet::cellName;

}  // namespace

Worksheet::Worksheet(std::string name, SheetContent content, StringTable& strings,
                     const CellFormats& formats)
    : name_(std::move(name)), content_(std::move(content)), strings_(strings), formats_(formats) {
    for (const auto& [row, entry] : content_.rows) {
        if (!entry.cells.empty()) {
            rowEnd_ = std::uint32_t{row} + 1;
            columnEnd_ = std::max<std::uint32_t>(columnEnd_, entry.cells.back().column + 1u);
        }
    }
}

const Cell* Worksheet::find(std::uint32_t row, std::uint32_t column) const {
    return spreadsheet::findCell(content_.rows, row, column);
}

CellValue Worksheet::cell(std::uint32_t row, std::uint32_t column) const {
    return spreadsheet::valueOf(find(row, column), strings_, [&](std::uint32_t formula) {
        return content_.formulas[formula].result;
    });
}

bool Worksheet::holdsText() const {
    return std::any_of(content_.rows.begin(), content_.rows.end(), [](const auto& row) {
        return std::any_of(row.second.cells.begin(), row.second.cells.end(),
                           [](const Cell& cell) { return cell.kind == CellKind::Text; });
    });
}

bool Worksheet::holdsFormula(std::uint32_t row, std::uint32_t column) const {
    const Cell* cell = find(row, column);
    return cell && cell->kind == CellKind::Formula;
}

std::optional<std::uint16_t> Worksheet::cellXf(std::uint32_t row, std::uint32_t column) const {
    const Cell* cell = find(row, column);
    return cell ? std::optional<std::uint16_t>(cell->xf) : std::nullopt;
}

void Worksheet::checkValue(std::uint32_t row, std::uint32_t column, const CellValue& value) const {
    spreadsheet::checkValue(kSheetLimits, name_, row, column, value);
    const Cell* existing = find(row, column);
    if (existing && existing->kind == CellKind::Formula &&
        content_.formulas[existing->index].definesSharedFormula) {
        throw Error(err::kInvalidOperation,
                    "Die Zelle " + cellName(row, column) + " im Blatt '" + name_ +
                        "' trägt die Definition einer gemeinsamen Formel oder Matrixformel und "
                        "kann nicht überschrieben werden.");
    }
}

std::uint16_t Worksheet::newCellXf(std::uint16_t row, std::uint16_t column) const {
    const Row* found = content_.rows.find(row);
    if (found && found->record && found->record->hasXf() &&
        formats_.isCellXf(found->record->xf())) {
        return found->record->xf();
    }
    for (const ColInfoRecord& info : content_.columns) {
        if (info.firstColumn <= column && column <= info.lastColumn && formats_.isCellXf(info.xf)) {
            return info.xf;
        }
    }
    return formats_.defaultXf;
}

void Worksheet::store(std::uint16_t row, std::uint16_t column, const CellValue& value) {
    if (spreadsheet::storeCell(content_.rows, strings_, row, column, value,
                               [&] { return newCellXf(row, column); })) {
        rowEnd_ = std::max<std::uint32_t>(rowEnd_, row + 1u);
        columnEnd_ = std::max<std::uint32_t>(columnEnd_, column + 1u);
        modified_ = true;
    }
}

void Worksheet::setCell(std::uint32_t row, std::uint32_t column, const CellValue& value) {
    spreadsheet::checkPlace(kSheetLimits, name_, row, column);
    checkValue(row, column, value);
    store(static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column), value);
}

std::uint32_t Worksheet::appendRow(std::span<const CellValue> values) {
    const std::uint32_t row = std::max(rowEnd_, appendEnd_);
    spreadsheet::appendCells(
        kSheetLimits, name_, content_.rows, row, values,
        [&](std::uint32_t column, const spreadsheet::CellValue& value) {
            checkValue(row, column, value);
        },
        [&](std::uint32_t column, const spreadsheet::CellValue& value) {
            store(static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column), value);
        });
    appendEnd_ = row + 1;
    modified_ = true;
    return row;
}

}  // namespace glossel::xls
