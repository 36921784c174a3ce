// SheetContent → worksheet substream.
#include "platform/xls/WorksheetWriter.h"

#include <algorithm>

#include "platform/xls/BiffFormat.h"
#include "platform/xls/CellRecords.h"
#include "platform/xls/RkNumber.h"

namespace glossel::xls {
namespace {

std::uint16_t offset16(std::size_t value) {
    // DBCELL offsets are lookup hints; a row longer than 64 KiB cannot be described.
    return static_cast<std::uint16_t>(std::min<std::size_t>(value, 0xFFFF));
}

class CellTableWriter {
public:
    CellTableWriter(PieceOut& stream, std::uint32_t start, const SheetContent& sheet,
                    std::span<const std::uint32_t> sstIndex)
        : stream_(stream), out_(stream.bytes), start_(start), sheet_(sheet), sstIndex_(sstIndex) {}

    // Writes all blocks; returns the positions of their DBCELL records.
    std::vector<std::uint32_t> write();

private:
    RowRecord rowRecord(std::uint16_t row, const Row& content) const;
    void writeCells(std::uint16_t row, const std::vector<Cell>& cells);
    // Writes cells[i] and the cells after it that fit in the same record; returns the next i.
    std::size_t writeNumbers(std::uint16_t row, const std::vector<Cell>& cells, std::size_t i);
    std::size_t writeBlanks(std::uint16_t row, const std::vector<Cell>& cells, std::size_t i);

    PieceOut& stream_;
    Bytes& out_;
    std::uint32_t start_;
    const SheetContent& sheet_;
    std::span<const std::uint32_t> sstIndex_;
};

RowRecord CellTableWriter::rowRecord(std::uint16_t row, const Row& content) const {
    RowRecord record = content.record.value_or(
        RowRecord{row, 0, 0, sheet_.defaultRowHeight, 0, kRowFlagsDefault, kRowXfDefault});
    if (!content.cells.empty()) {
        const std::uint16_t first = content.cells.front().column;
        const std::uint16_t end = content.cells.back().column + 1;
        const bool hadRange = content.record && record.columnEnd > record.firstColumn;
        record.firstColumn = hadRange ? std::min(record.firstColumn, first) : first;
        record.columnEnd = hadRange ? std::max(record.columnEnd, end) : end;
    }
    record.row = row;
    return record;
}

std::size_t CellTableWriter::writeNumbers(std::uint16_t row, const std::vector<Cell>& cells,
                                          std::size_t i) {
    const Cell& first = cells[i];
    const auto rk = encodeRk(first.number);
    if (!rk) {
        NumberRecord{{row, first.column, first.xf}, first.number}.write(out_);
        return i + 1;
    }
    const bool numberFollows = i + 1 < cells.size() && cells[i + 1].kind == CellKind::Number &&
                               cells[i + 1].column == first.column + 1;
    if (!numberFollows) {
        RkRecord{{row, first.column, first.xf}, *rk}.write(out_);
        return i + 1;
    }
    MulRkRecord run{row, first.column, {{first.xf, *rk}}};
    std::size_t next = i + 1;
    for (; next < cells.size() && cells[next].kind == CellKind::Number &&
           cells[next].column == first.column + run.entries.size();
         ++next) {
        const auto nextRk = encodeRk(cells[next].number);
        if (!nextRk) {
            break;
        }
        run.entries.push_back({cells[next].xf, *nextRk});
    }
    if (run.entries.size() == 1) {
        RkRecord{{row, first.column, first.xf}, *rk}.write(out_);
    } else {
        run.write(out_);
    }
    return next;
}

std::size_t CellTableWriter::writeBlanks(std::uint16_t row, const std::vector<Cell>& cells,
                                         std::size_t i) {
    const Cell& first = cells[i];
    MulBlankRecord run{row, first.column, {first.xf}};
    std::size_t next = i + 1;
    for (; next < cells.size() && cells[next].kind == CellKind::Blank &&
           cells[next].column == first.column + run.xfs.size();
         ++next) {
        run.xfs.push_back(cells[next].xf);
    }
    if (run.xfs.size() == 1) {
        BlankRecord{{row, first.column, first.xf}}.write(out_);
    } else {
        run.write(out_);
    }
    return next;
}

void CellTableWriter::writeCells(std::uint16_t row, const std::vector<Cell>& cells) {
    for (std::size_t i = 0; i < cells.size();) {
        const Cell& cell = cells[i];
        const CellAddress address{row, cell.column, cell.xf};
        switch (cell.kind) {
            case CellKind::Number:
                i = writeNumbers(row, cells, i);
                continue;
            case CellKind::Blank:
                i = writeBlanks(row, cells, i);
                continue;
            case CellKind::Text:
                LabelSstRecord{address, sstIndex_[cell.index]}.write(out_);
                break;
            case CellKind::Boolean:
            case CellKind::Error:
                BoolErrRecord{address, cell.code, cell.kind == CellKind::Error}.write(out_);
                break;
            case CellKind::Formula:
                for (const Record& record : sheet_.formulas[cell.index].records) {
                    appendRaw(out_, record);
                }
                break;
        }
        ++i;
    }
}

std::vector<std::uint32_t> CellTableWriter::write() {
    std::vector<std::uint32_t> dbCells;
    const auto& rows = sheet_.rows;
    if (rows.empty()) {
        return dbCells;
    }
    const std::uint32_t firstBlock = rows.first() / kRowsPerBlock;
    const std::uint32_t lastBlock = rows.last() / kRowsPerBlock;
    for (std::uint32_t block = firstBlock; block <= lastBlock; ++block) {
        const auto begin = rows.from(block * kRowsPerBlock);
        const auto end = rows.from((block + 1) * kRowsPerBlock);
        stream_.handOnIfFull();
        const std::size_t firstRow = out_.size();
        for (auto row = begin; row != end; ++row) {
            const auto [number, content] = *row;
            rowRecord(number, content).write(out_);
        }
        DbCellRecord dbCell;
        std::size_t previous = firstRow + kRecordHeaderSize + kRowRecordSize;
        for (auto row = begin; row != end; ++row) {
            dbCell.cellOffsets.push_back(offset16(out_.size() - previous));
            previous = out_.size();
            const auto [number, content] = *row;
            writeCells(number, content.cells);
        }
        dbCell.firstRowOffset =
            begin == end ? 0 : static_cast<std::uint32_t>(out_.size() - firstRow);
        dbCells.push_back(start_ + static_cast<std::uint32_t>(stream_.position()));
        dbCell.write(out_);
    }
    return dbCells;
}

// Widens [first, end) to hold [otherFirst, otherEnd); an empty range (end <= first) holds
// nothing.
template <typename T>
void widen(T& first, T& end, T otherFirst, T otherEnd) {
    if (otherEnd <= otherFirst) {
        return;
    }
    first = end <= first ? otherFirst : std::min(first, otherFirst);
    end = std::max(end, otherEnd);
}

// Every row with a ROW record or cells, every column with cells, and whatever DIMENSIONS said
// before if it was within the sheet's limits (Excel counts formatted rows and columns too).
DimensionsRecord dimensionsOf(const SheetContent& sheet) {
    DimensionsRecord dimensions;
    for (const auto& [row, content] : sheet.rows) {
        widen<std::uint32_t>(dimensions.firstRow, dimensions.rowEnd, row, row + 1u);
        if (!content.cells.empty()) {
            widen<std::uint16_t>(dimensions.firstColumn, dimensions.columnEnd,
                                 content.cells.front().column,
                                 static_cast<std::uint16_t>(content.cells.back().column + 1));
        }
    }
    const DimensionsRecord& read = sheet.dimensions;
    if (read.rowEnd <= kMaxRows && read.columnEnd <= kMaxColumns) {
        widen(dimensions.firstRow, dimensions.rowEnd, read.firstRow, read.rowEnd);
        widen(dimensions.firstColumn, dimensions.columnEnd, read.firstColumn, read.columnEnd);
    }
    return dimensions;
}

// The INDEX before its positions are known.
IndexRecord indexFrame(const SheetContent& sheet) {
    IndexRecord index;
    if (!sheet.rows.empty()) {
        index.firstRow = sheet.rows.first();
        index.rowEnd = sheet.rows.last() + 1u;
        index.dbCellPositions.resize(sheet.rows.last() / kRowsPerBlock -
                                     sheet.rows.first() / kRowsPerBlock + 1);
    }
    return index;
}

bool hasCellTable(const SheetContent& sheet) {
    return std::ranges::any_of(sheet.layout, [](const LayoutItem& item) {
        return item.kind == LayoutItem::Kind::CellTable;
    });
}

bool hasDefColWidth(const SheetContent& sheet) {
    return std::ranges::any_of(sheet.layout, [](const LayoutItem& item) {
        return item.kind == LayoutItem::Kind::Raw && item.record.id == id::kDefColWidth;
    });
}

// Writes the substream, which starts at `start` in the Workbook stream, with `index` as its
// INDEX; returns the INDEX it calls for, with the positions its records were written at.
IndexRecord writeSubstream(PieceOut& stream, std::uint32_t start, const SheetContent& sheet,
                           std::span<const std::uint32_t> sstIndex, const IndexRecord& index) {
    IndexRecord found = indexFrame(sheet);
    Bytes& out = stream.bytes;
    for (const LayoutItem& item : sheet.layout) {
        switch (item.kind) {
            case LayoutItem::Kind::Raw:
                if (item.record.id == id::kDefColWidth) {
                    found.defColWidthPosition =
                        start + static_cast<std::uint32_t>(stream.position());
                }
                appendRaw(out, item.record);
                break;
            case LayoutItem::Kind::Index:
                index.write(out);
                break;
            case LayoutItem::Kind::Dimensions:
                dimensionsOf(sheet).write(out);
                break;
            case LayoutItem::Kind::CellTable:
                found.dbCellPositions = CellTableWriter(stream, start, sheet, sstIndex).write();
                break;
        }
    }
    return found;
}

}  // namespace

WorksheetLayout measureWorksheet(const SheetContent& sheet,
                                 std::span<const std::uint32_t> sstIndex) {
    const HandOn discard = [](std::span<const std::uint8_t>) {};
    Bytes bytes;
    std::size_t handedOn = 0;
    PieceOut stream{bytes, handedOn, discard};
    WorksheetLayout layout;
    layout.index = writeSubstream(stream, 0, sheet, sstIndex, indexFrame(sheet));
    layout.size = stream.position();
    return layout;
}

void writeWorksheet(std::uint32_t start, const SheetContent& sheet,
                    std::span<const std::uint32_t> sstIndex, const WorksheetLayout& layout,
                    const HandOn& handOn) {
    IndexRecord index = layout.index;
    if (hasCellTable(sheet)) {
        for (std::uint32_t& position : index.dbCellPositions) {
            position += start;
        }
    }
    if (hasDefColWidth(sheet)) {
        index.defColWidthPosition += start;
    }
    Bytes bytes;
    std::size_t handedOn = 0;
    PieceOut stream{bytes, handedOn, handOn};
    writeSubstream(stream, start, sheet, sstIndex, index);
    handOn(bytes);
}

}  // namespace glossel::xls
