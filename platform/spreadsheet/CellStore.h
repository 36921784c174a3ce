// Finding, reading and setting the cells of a row table, for every workbook format: the format
// says which cell format a new cell gets and where a formula keeps its result.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <span>
#include <string>
#include <variant>

#include "platform/spreadsheet/CellValue.h"
#include "platform/spreadsheet/RowTable.h"
#include "platform/spreadsheet/SheetLimits.h"
#include "platform/spreadsheet/StringTable.h"

namespace glossel::spreadsheet {

// The cell at (row, column); nullptr where there is none.
template <typename Record>
const Cell* findCell(const RowTable<Record>& rows, std::uint32_t row, std::uint32_t column) {
    const Row<Record>* held = rows.find(row);
    if (!held) {
        return nullptr;
    }
    const auto& cells = held->cells;
    const auto cell = std::lower_bound(
        cells.begin(), cells.end(), column,
        [](const Cell& candidate, std::uint32_t wanted) { return candidate.column < wanted; });
    return cell != cells.end() && cell->column == column ? &*cell : nullptr;
}

// The value a cell shows; `formulaResult(index)` gives a formula cell's stored result.
template <typename FormulaResult>
CellValue valueOf(const Cell* cell, const StringTable& strings, FormulaResult formulaResult) {
    if (!cell) {
        return Empty{};
    }
    switch (cell->kind) {
        case CellKind::Blank:
            return Empty{};
        case CellKind::Number:
            return cell->number;
        case CellKind::Text:
            return std::string(strings.text(cell->index));
        case CellKind::Boolean:
            return cell->code != 0;
        case CellKind::Error:
            return static_cast<CellError>(cell->code);
        case CellKind::Formula:
            return formulaResult(cell->index);
    }
    return Empty{};
}

// Stores `value` at (row, column): an existing cell keeps its format, a new one gets
// `newXf()`; Empty where there is no cell changes nothing, and a row left without cells and
// record is dropped. Returns whether the cell changed: setting the value it holds does not.
template <typename Record, typename NewXf>
bool storeCell(RowTable<Record>& rows, StringTable& strings, std::uint32_t row,
               std::uint16_t column, const CellValue& value, NewXf newXf) {
    auto& cells = rows[row].cells;
    auto place = std::lower_bound(
        cells.begin(), cells.end(), column,
        [](const Cell& candidate, std::uint16_t wanted) { return candidate.column < wanted; });
    const bool exists = place != cells.end() && place->column == column;
    if (!exists && std::holds_alternative<Empty>(value)) {
        if (cells.empty() && !rows.find(row)->record) {
            rows.erase(row);
        }
        return false;
    }
    Cell cell{column, exists ? place->xf : newXf()};
    const Cell* shown = exists && place->kind == CellKind::Text ? &*place : nullptr;
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, Empty>) {
                cell.kind = CellKind::Blank;
            } else if constexpr (std::is_same_v<T, double>) {
                cell.kind = CellKind::Number;
                cell.number = v;
            } else if constexpr (std::is_same_v<T, std::string>) {
                cell.kind = CellKind::Text;
                cell.index = shown ? strings.intern(v, shown->index) : strings.intern(v);
            } else if constexpr (std::is_same_v<T, bool>) {
                cell.kind = CellKind::Boolean;
                cell.code = v ? 1 : 0;
            } else {
                cell.kind = CellKind::Error;
                cell.code = static_cast<std::uint8_t>(v);
            }
        },
        value);
    // Alike when written alike: a number by its bits, so that -0 is not 0.
    if (exists && place->kind == cell.kind && place->xf == cell.xf && place->code == cell.code &&
        place->index == cell.index &&
        std::bit_cast<std::uint64_t>(place->number) == std::bit_cast<std::uint64_t>(cell.number)) {
        return false;
    }
    if (exists) {
        *place = cell;
    } else {
        cells.insert(place, cell);
    }
    return true;
}

// Appends `values` as row `row` of `sheet`: the place and every value are checked (by the
// limits and by `checkValue(column, value)`) before any is stored (by `store(column, value)`), so
// that a refused row leaves the sheet as it was.
template <typename Record, typename CheckValue, typename Store>
void appendCells(const SheetLimits& limits, const std::string& sheet, RowTable<Record>& rows,
                 std::uint32_t row, std::span<const CellValue> values, CheckValue checkValue,
                 Store store) {
    checkPlace(limits, sheet, row, 0);
    if (values.empty()) {
        return;
    }
    checkPlace(limits, sheet, row, static_cast<std::uint32_t>(values.size() - 1));
    for (std::size_t column = 0; column < values.size(); ++column) {
        checkValue(static_cast<std::uint32_t>(column), values[column]);
    }
    rows[row].cells.reserve(values.size());
    for (std::size_t column = 0; column < values.size(); ++column) {
        store(static_cast<std::uint32_t>(column), values[column]);
    }
}

}  // namespace glossel::spreadsheet
