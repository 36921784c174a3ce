// A worksheet part as the engine holds it between reading and writing: its cells by row, its
// formulas as the file wrote them, and the XML around the cell table, kept as read.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/spreadsheet/CellValue.h"
#include "platform/spreadsheet/RowTable.h"

namespace glossel::xlsx {

// What a <row> element says beside its number and cells: its other attributes, written out as
// they are written back (` ht="20" customHeight="1"`). The `spans` hint is not kept.
struct RowAttributes {
    std::string xml;
    std::optional<std::uint16_t> style;  // `s` where customFormat="1": the new cells' format
};

struct Formula {
    std::string xml;  // the <f> element
    spreadsheet::CellValue result;
    bool definesSharedFormula = false;  // a shared or array formula's first cell (ref=)
};

// A <col> element's cell format for the columns first … last (from 0).
struct ColumnStyle {
    std::uint32_t first = 0;
    std::uint32_t last = 0;
    std::uint16_t style = 0;
};

struct SheetPart {
    std::string head;  // the part up to the <sheetData> start tag
    // Where the <dimension> element stands in the head, which the writer replaces; npos if none.
    std::size_t dimensionAt = std::string::npos;
    std::size_t dimensionLength = 0;
    std::string tail;    // the part after the cell table
    std::string prefix;  // "x:" where the part writes its elements with a prefix
    spreadsheet::RowTable<RowAttributes> rows;
    std::vector<Formula> formulas;
    std::vector<ColumnStyle> columns;
};

}  // namespace glossel::xlsx
