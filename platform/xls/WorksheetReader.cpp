// Worksheet substream → SheetContent.
#include "platform/xls/WorksheetReader.h"

#include <algorithm>
#include <string>

#include "platform/nls/Utf16.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/CellRecords.h"
#include "platform/xls/Record.h"
#include "platform/xls/RkNumber.h"

namespace glossel::xls {
namespace {

bool isFormulaFollower(std::uint16_t recordId) {
    return recordId == id::kShrFmla || recordId == id::kArray || recordId == id::kTable ||
           recordId == id::kString;
}

bool isCellTableRecord(std::uint16_t recordId) {
    switch (recordId) {
        case id::kRow:
        case id::kLabelSst:
        case id::kLabel:
        case id::kNumber:
        case id::kRk:
        case id::kMulRk:
        case id::kBlank:
        case id::kMulBlank:
        case id::kBoolErr:
        case id::kFormula:
        case id::kDbCell:
            return true;
        default:
            return false;
    }
}

bool followsCellTable(std::uint16_t recordId) {
    return recordId == id::kMsoDrawing || recordId == id::kObj || recordId == id::kTxo ||
           recordId == id::kNote || recordId == id::kWindow2 || recordId == id::kEof;
}

class SheetBuilder {
public:
    SheetBuilder(const Source& source, StringTable& strings, std::uint32_t sstCount)
        : source_(source), strings_(strings), sstCount_(sstCount) {}

    // Takes the next top-level record; returns false after EOF.
    bool take(Record record);
    // Keeps a record of a nested substream as it is.
    void passThrough(Record record) {
        formulaOpen_ = false;
        raw(std::move(record));
    }
    SheetContent finish();

private:
    void takeCell(const RecordReader& reader);
    void takeFormula(Record record);
    void attachToFormula(Record record);
    void put(const RecordReader& reader, std::uint16_t row, std::uint16_t column, Cell cell);
    void placeCellTable();
    void raw(Record record) {
        content_.layout.push_back({LayoutItem::Kind::Raw, std::move(record)});
    }

    const Source& source_;
    StringTable& strings_;
    std::uint32_t sstCount_;
    SheetContent content_;
    bool formulaOpen_ = false;
    bool cellTablePlaced_ = false;
    bool dimensionsPlaced_ = false;
};

void SheetBuilder::placeCellTable() {
    if (!cellTablePlaced_) {
        content_.layout.push_back({LayoutItem::Kind::CellTable, {}});
        cellTablePlaced_ = true;
    }
}

void SheetBuilder::put(const RecordReader& reader, std::uint16_t row, std::uint16_t column,
                       Cell cell) {
    if (column >= kMaxColumns) {
        reader.damaged("Spalte " + std::to_string(column) + " liegt hinter der letzten Spalte");
    }
    cell.column = column;
    auto& cells = content_.rows[row].cells;
    if (cells.empty() || cells.back().column < column) {
        cells.push_back(cell);
        return;
    }
    auto place = std::lower_bound(
        cells.begin(), cells.end(), column,
        [](const Cell& candidate, std::uint16_t wanted) { return candidate.column < wanted; });
    if (place != cells.end() && place->column == column) {
        *place = cell;
    } else {
        cells.insert(place, cell);
    }
}

void SheetBuilder::takeCell(const RecordReader& reader) {
    const auto numberCell = [](std::uint16_t xf, double value) {
        return Cell{0, xf, CellKind::Number, 0, 0, value};
    };
    switch (reader.record().id) {
        case id::kLabelSst: {
            const auto label = LabelSstRecord::read(reader);
            if (label.index >= sstCount_) {
                reader.damaged("Textindex " + std::to_string(label.index) +
                               " hinter dem Ende der Texttabelle (" + std::to_string(sstCount_) +
                               " Einträge)");
            }
            put(reader, label.cell.row, label.cell.column,
                {0, label.cell.xf, CellKind::Text, 0, label.index, 0});
            break;
        }
        case id::kLabel: {
            const auto label = LabelRecord::read(reader);
            put(reader, label.cell.row, label.cell.column,
                {0, label.cell.xf, CellKind::Text, 0, strings_.intern(nls::toUtf8(label.text)), 0});
            break;
        }
        case id::kNumber: {
            const auto number = NumberRecord::read(reader);
            put(reader, number.cell.row, number.cell.column,
                numberCell(number.cell.xf, number.value));
            break;
        }
        case id::kRk: {
            const auto rk = RkRecord::read(reader);
            put(reader, rk.cell.row, rk.cell.column, numberCell(rk.cell.xf, decodeRk(rk.rk)));
            break;
        }
        case id::kMulRk: {
            const auto mulRk = MulRkRecord::read(reader);
            for (std::size_t i = 0; i < mulRk.entries.size(); ++i) {
                put(reader, mulRk.row, static_cast<std::uint16_t>(mulRk.firstColumn + i),
                    numberCell(mulRk.entries[i].xf, decodeRk(mulRk.entries[i].rk)));
            }
            break;
        }
        case id::kBlank: {
            const auto blank = BlankRecord::read(reader);
            put(reader, blank.cell.row, blank.cell.column, {0, blank.cell.xf});
            break;
        }
        case id::kMulBlank: {
            const auto mulBlank = MulBlankRecord::read(reader);
            for (std::size_t i = 0; i < mulBlank.xfs.size(); ++i) {
                put(reader, mulBlank.row, static_cast<std::uint16_t>(mulBlank.firstColumn + i),
                    {0, mulBlank.xfs[i]});
            }
            break;
        }
        case id::kBoolErr: {
            const auto boolErr = BoolErrRecord::read(reader);
            Cell cell{0, boolErr.cell.xf, CellKind::Boolean,
                      static_cast<std::uint8_t>(boolErr.value != 0)};
            if (boolErr.isError) {
                if (!spreadsheet::cellErrorFromCode(boolErr.value)) {
                    reader.damaged("unbekannter Fehlercode " + std::to_string(boolErr.value));
                }
                cell = {0, boolErr.cell.xf, CellKind::Error, boolErr.value};
            }
            put(reader, boolErr.cell.row, boolErr.cell.column, cell);
            break;
        }
        case id::kRow: {
            const auto row = RowRecord::read(reader);
            content_.rows[row.row].record = row;
            break;
        }
        default:
            break;  // DBCELL: rebuilt on writing
    }
}

void SheetBuilder::takeFormula(Record record) {
    const RecordReader reader(record, source_);
    const auto formula = FormulaRecord::read(reader);
    Formula entry;
    switch (formula.result) {
        case FormulaRecord::Result::Number:
            entry.result = formula.number;
            break;
        case FormulaRecord::Result::Text:
        case FormulaRecord::Result::EmptyText:
            entry.result = std::string();
            break;
        case FormulaRecord::Result::Boolean:
            entry.result = formula.code != 0;
            break;
        case FormulaRecord::Result::Error:
            if (!spreadsheet::cellErrorFromCode(formula.code)) {
                reader.damaged("unbekannter Fehlercode " + std::to_string(formula.code));
            }
            entry.result = static_cast<CellError>(formula.code);
            break;
    }
    const auto index = static_cast<std::uint32_t>(content_.formulas.size());
    put(reader, formula.cell.row, formula.cell.column,
        {0, formula.cell.xf, CellKind::Formula, 0, index, 0});
    entry.records.push_back(std::move(record));
    content_.formulas.push_back(std::move(entry));
    formulaOpen_ = true;
}

void SheetBuilder::attachToFormula(Record record) {
    Formula& formula = content_.formulas.back();
    if (record.id == id::kString) {
        if (std::holds_alternative<std::string>(formula.result)) {
            formula.result = nls::toUtf8(StringRecord::read(RecordReader(record, source_)).text);
        }
    } else {
        formula.definesSharedFormula = true;
    }
    formula.records.push_back(std::move(record));
}

bool SheetBuilder::take(Record record) {
    const std::uint16_t recordId = record.id;
    if (formulaOpen_ && isFormulaFollower(recordId)) {
        attachToFormula(std::move(record));
        return true;
    }
    formulaOpen_ = false;
    if (isCellTableRecord(recordId)) {
        placeCellTable();
        if (recordId == id::kFormula) {
            takeFormula(std::move(record));
        } else {
            takeCell(RecordReader(record, source_));
        }
        return true;
    }
    switch (recordId) {
        case id::kIndex:
            return true;  // rebuilt on writing
        case id::kDimensions:
            if (!dimensionsPlaced_) {
                content_.dimensions = DimensionsRecord::read(RecordReader(record, source_));
                content_.layout.push_back({LayoutItem::Kind::Dimensions, {}});
                dimensionsPlaced_ = true;
            }
            return true;
        case id::kDefaultRowHeight:
            content_.defaultRowHeight =
                DefaultRowHeightRecord::read(RecordReader(record, source_)).height;
            break;
        case id::kColInfo:
            content_.columns.push_back(ColInfoRecord::read(RecordReader(record, source_)));
            break;
        default:
            break;
    }
    raw(std::move(record));
    return recordId != id::kEof;
}

SheetContent SheetBuilder::finish() {
    auto& layout = content_.layout;
    // The first top-level record that comes after the cell table; the sheet's EOF at the latest.
    const auto firstAfterCells = [&] {
        int nested = 0;
        for (auto item = layout.begin() + 1; item != layout.end(); ++item) {
            if (item->kind != LayoutItem::Kind::Raw) {
                continue;
            }
            if (item->record.id == id::kBof) {
                ++nested;
            } else if (nested > 0) {
                nested -= item->record.id == id::kEof ? 1 : 0;
            } else if (followsCellTable(item->record.id)) {
                return item;
            }
        }
        return layout.end();
    };
    if (!dimensionsPlaced_) {
        const auto cellTable = std::find_if(layout.begin(), layout.end(), [](const auto& item) {
            return item.kind == LayoutItem::Kind::CellTable;
        });
        layout.insert(cellTable != layout.end() ? cellTable : firstAfterCells(),
                      {LayoutItem::Kind::Dimensions, {}});
    }
    if (!cellTablePlaced_) {
        const auto dimensions = std::find_if(layout.begin(), layout.end(), [](const auto& item) {
            return item.kind == LayoutItem::Kind::Dimensions;
        });
        layout.insert(dimensions + 1, {LayoutItem::Kind::CellTable, {}});
    }
    const bool uncalced = layout.size() > 1 && layout[1].kind == LayoutItem::Kind::Raw &&
                          layout[1].record.id == id::kUncalced;
    layout.insert(layout.begin() + (uncalced ? 2 : 1), {LayoutItem::Kind::Index, {}});
    return std::move(content_);
}

}  // namespace

SheetContent readWorksheet(std::span<const std::uint8_t> stream, std::uint32_t position,
                           const Source& source, StringTable& strings, std::uint32_t sstCount) {
    RecordCursor cursor(stream, position, source);
    SheetBuilder builder(source, strings, sstCount);
    Record bof = cursor.next();
    if (bof.id != id::kBof) {
        throwDamaged(source, position, bof.id, "das Blatt beginnt nicht mit einem BOF-Datensatz");
    }
    builder.take(std::move(bof));
    int nested = 0;
    while (true) {
        if (cursor.atEnd()) {
            throwDamaged(source, cursor.position(), std::nullopt,
                         "der Datenstrom endet vor dem EOF-Datensatz des Blatts");
        }
        Record record = cursor.next();
        if (record.id == id::kBof) {
            ++nested;
        }
        if (nested > 0) {
            nested -= record.id == id::kEof ? 1 : 0;
            builder.passThrough(std::move(record));
            continue;
        }
        if (!builder.take(std::move(record))) {
            return builder.finish();
        }
    }
}

}  // namespace glossel::xls
