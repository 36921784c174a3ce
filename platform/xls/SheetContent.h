// A worksheet as the engine holds it between reading and writing: its cells by row, its formula
// cells as read, and the sequence of its other records with the places where the engine puts
// the records it rebuilds (INDEX, DIMENSIONS, the cell table).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/spreadsheet/CellValue.h"
#include "platform/spreadsheet/RowTable.h"
#include "platform/spreadsheet/StringTable.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/Record.h"
#include "platform/xls/SheetRecords.h"

namespace glossel::xls {

// The shared worksheet model, with the ROW record as what a row keeps beside its cells.
using spreadsheet::Cell;
using spreadsheet::CellError;
using spreadsheet::CellKind;
using spreadsheet::CellValue;
using spreadsheet::Empty;
using spreadsheet::StringTable;
using Row = spreadsheet::Row<RowRecord>;
using RowTable = spreadsheet::RowTable<RowRecord>;

struct Formula {
    std::vector<Record> records;  // FORMULA, then its SHRFMLA/ARRAY/TABLE and STRING records
    CellValue result;
    bool definesSharedFormula = false;  // a SHRFMLA, ARRAY or TABLE record follows
};

struct LayoutItem {
    enum class Kind { Raw, Index, Dimensions, CellTable };
    Kind kind = Kind::Raw;
    Record record;  // for Raw
};

struct SheetContent {
    std::vector<LayoutItem> layout;  // BOF … EOF
    RowTable rows;
    std::vector<Formula> formulas;
    std::vector<ColInfoRecord> columns;
    DimensionsRecord dimensions;  // as read
    std::uint16_t defaultRowHeight = kDefaultRowHeightTwips;
};

// Which XF records are cell formats, and the one a new cell gets when nothing else applies.
struct CellFormats {
    std::vector<bool> isStyle;  // per XF record
    std::uint16_t defaultXf = kDefaultCellXf;

    bool isCellXf(std::uint16_t xf) const { return xf < isStyle.size() && !isStyle[xf]; }
};

}  // namespace glossel::xls
