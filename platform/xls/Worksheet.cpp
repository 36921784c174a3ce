// Reading and changing the cells of a worksheet.
#include "platform/xls/Worksheet.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/Error.h"
#include "platform/nls/Utf16.h"

namespace glossel::xls {
namespace {

std::string cellName(std::uint32_t row, std::uint32_t column) {
    return columnName(column) + std::to_string(row + 1);
}

// Whether the cells would be written alike (a number by its bits, so that -0 is not 0).
bool sameCell(const Cell& a, const Cell& b) {
    return a.kind == b.kind && a.xf == b.xf && a.code == b.code && a.index == b.index &&
           std::bit_cast<std::uint64_t>(a.number) == std::bit_cast<std::uint64_t>(b.number);
}

}  // namespace

std::string columnName(std::uint32_t column) {
    std::string name;
    for (std::uint32_t n = column + 1; n > 0; n = (n - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    }
    return name;
}

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
    const Row* held = content_.rows.find(row);
    if (!held) {
        return nullptr;
    }
    const auto& cells = held->cells;
    const auto cell = std::lower_bound(
        cells.begin(), cells.end(), column,
        [](const Cell& candidate, std::uint32_t wanted) { return candidate.column < wanted; });
    return cell != cells.end() && cell->column == column ? &*cell : nullptr;
}

CellValue Worksheet::cell(std::uint32_t row, std::uint32_t column) const {
    const Cell* cell = find(row, column);
    if (!cell) {
        return Empty{};
    }
    switch (cell->kind) {
        case CellKind::Blank:
            return Empty{};
        case CellKind::Number:
            return cell->number;
        case CellKind::Text:
            return std::string(strings_.text(cell->index));
        case CellKind::Boolean:
            return cell->code != 0;
        case CellKind::Error:
            return static_cast<CellError>(cell->code);
        case CellKind::Formula:
            return content_.formulas[cell->index].result;
    }
    return Empty{};
}

bool Worksheet::holdsText() const {
    return std::any_of(content_.rows.begin(), content_.rows.end(), [](const auto& row) {
        return std::any_of(row.second.cells.begin(), row.second.cells.end(),
                           [](const Cell& cell) { return cell.kind == CellKind::Text; });
    });
}

std::optional<std::uint16_t> Worksheet::cellXf(std::uint32_t row, std::uint32_t column) const {
    const Cell* cell = find(row, column);
    return cell ? std::optional<std::uint16_t>(cell->xf) : std::nullopt;
}

void Worksheet::checkPlace(std::uint32_t row, std::uint32_t column) const {
    if (row >= kMaxRows) {
        throw Error(err::kSpreadsheetFull,
                    "Das Tabellenblatt '" + name_ +
                        "' ist voll: ein Excel-97-Arbeitsblatt hat höchstens 65.536 Zeilen, "
                        "verlangt ist Zeile " +
                        std::to_string(std::uint64_t{row} + 1) + ".");
    }
    if (column >= kMaxColumns) {
        throw Error(err::kSpreadsheetFull,
                    "Das Tabellenblatt '" + name_ +
                        "' ist voll: ein Excel-97-Arbeitsblatt hat höchstens 256 Spalten (A bis "
                        "IV), verlangt ist Spalte " +
                        std::to_string(std::uint64_t{column} + 1) + ".");
    }
}

void Worksheet::checkValue(std::uint32_t row, std::uint32_t column, const CellValue& value) const {
    if (const auto* text = std::get_if<std::string>(&value)) {
        // Every UTF-16 unit comes from at least one byte: only long texts need counting.
        const std::size_t length =
            text->size() <= kMaxCellCharacters ? text->size() : nls::toUtf16(*text).size();
        if (length > kMaxCellCharacters) {
            throw Error(err::kFieldTooSmall,
                        "Das Feld ist zu klein für die Datenmenge: die Zelle " +
                            cellName(row, column) + " im Blatt '" + name_ +
                            "' fasst höchstens 32.767 Zeichen, der Text hat " +
                            std::to_string(length) + ".");
        }
    } else if (const auto* number = std::get_if<double>(&value);
               number && !std::isfinite(*number)) {
        throw Error(err::kInvalidArgument, "Die Zelle " + cellName(row, column) + " im Blatt '" +
                                               name_ +
                                               "' kann keine unendliche oder ungültige Zahl "
                                               "aufnehmen.");
    }
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
    auto& cells = content_.rows[row].cells;
    auto place = std::lower_bound(
        cells.begin(), cells.end(), column,
        [](const Cell& candidate, std::uint16_t wanted) { return candidate.column < wanted; });
    const bool exists = place != cells.end() && place->column == column;
    if (!exists && std::holds_alternative<Empty>(value)) {
        if (cells.empty() && !content_.rows.find(row)->record) {
            content_.rows.erase(row);
        }
        return;
    }
    Cell cell{column, exists ? place->xf : newCellXf(row, column)};
    struct Encoder {
        Cell& cell;
        StringTable& strings;
        const Cell* shown;  // the text cell being set, if any
        void operator()(Empty) const { cell.kind = CellKind::Blank; }
        void operator()(double v) const {
            cell.kind = CellKind::Number;
            cell.number = v;
        }
        void operator()(const std::string& v) const {
            cell.kind = CellKind::Text;
            cell.index = shown ? strings.intern(v, shown->index) : strings.intern(v);
        }
        void operator()(bool v) const {
            cell.kind = CellKind::Boolean;
            cell.code = v ? 1 : 0;
        }
        void operator()(CellError v) const {
            cell.kind = CellKind::Error;
            cell.code = static_cast<std::uint8_t>(v);
        }
    };
    const Cell* shown = exists && place->kind == CellKind::Text ? &*place : nullptr;
    std::visit(Encoder{cell, strings_, shown}, value);
    if (exists && sameCell(*place, cell)) {
        return;
    }
    if (exists) {
        *place = cell;
    } else {
        cells.insert(place, cell);
    }
    rowEnd_ = std::max<std::uint32_t>(rowEnd_, row + 1u);
    columnEnd_ = std::max<std::uint32_t>(columnEnd_, column + 1u);
    modified_ = true;
}

void Worksheet::setCell(std::uint32_t row, std::uint32_t column, const CellValue& value) {
    checkPlace(row, column);
    checkValue(row, column, value);
    store(static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column), value);
}

std::uint32_t Worksheet::appendRow(std::span<const CellValue> values) {
    const std::uint32_t row = std::max(rowEnd_, appendEnd_);
    checkPlace(row, 0);
    if (!values.empty()) {
        checkPlace(row, static_cast<std::uint32_t>(values.size() - 1));
    }
    for (std::size_t column = 0; column < values.size(); ++column) {
        checkValue(row, static_cast<std::uint32_t>(column), values[column]);
    }
    if (!values.empty()) {
        content_.rows[static_cast<std::uint16_t>(row)].cells.reserve(values.size());
    }
    for (std::size_t column = 0; column < values.size(); ++column) {
        store(static_cast<std::uint16_t>(row), static_cast<std::uint16_t>(column), values[column]);
    }
    appendEnd_ = row + 1;
    modified_ = true;
    return row;
}

}  // namespace glossel::xls
