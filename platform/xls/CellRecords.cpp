// Reading and writing the cell records.
#include "platform/xls/CellRecords.h"

#include <bit>

#include "platform/ByteOrder.h"
#include "platform/xls/BiffFormat.h"

namespace glossel::xls {
namespace {

constexpr std::size_t kMulEnd = 2;  // the trailing last-column field of MULRK and MULBLANK

// MULRK and MULBLANK: the trailing last column must match the number of entries.
std::size_t multipleCount(const RecordReader& record, std::size_t entrySize) {
    record.requireSize(4 + entrySize + kMulEnd);
    const std::size_t body = record.size() - 4 - kMulEnd;
    const std::uint16_t first = record.u16(2);
    const std::uint16_t last = record.u16(record.size() - kMulEnd);
    if (body % entrySize != 0 || last < first ||
        body / entrySize != std::size_t{last} - first + 1u) {
        record.damaged("Spalten " + std::to_string(first) + " bis " + std::to_string(last) +
                       " passen nicht zur Länge des Datensatzes");
    }
    return body / entrySize;
}

// A cell record of a cell address and one 32-bit field (LABELSST, RK), written in one piece: the
// worksheet writer writes one per cell.
void writeCellWith32(Bytes& out, std::uint16_t recordId, const CellAddress& cell,
                     std::uint32_t value) {
    constexpr std::size_t kDataSize = kCellHeaderSize + 4;
    const std::size_t at = out.size();
    out.resize(at + kRecordHeaderSize + kDataSize);
    le::set16(out, at, recordId);
    le::set16(out, at + 2, kDataSize);
    le::set16(out, at + 4, cell.row);
    le::set16(out, at + 6, cell.column);
    le::set16(out, at + 8, cell.xf);
    le::set32(out, at + 10, value);
}

}  // namespace

CellAddress CellAddress::read(const RecordReader& record) {
    return {record.u16(0), record.u16(2), record.u16(4)};
}

void CellAddress::write(Bytes& out) const {
    le::append16(out, row);
    le::append16(out, column);
    le::append16(out, xf);
}

LabelSstRecord LabelSstRecord::read(const RecordReader& record) {
    return {CellAddress::read(record), record.u32(6)};
}

void LabelSstRecord::write(Bytes& out) const {
    writeCellWith32(out, id::kLabelSst, cell, index);
}

LabelRecord LabelRecord::read(const RecordReader& record) {
    StringReader strings(record, kCellHeaderSize);
    return {CellAddress::read(record), strings.readRich().text};
}

NumberRecord NumberRecord::read(const RecordReader& record) {
    return {CellAddress::read(record), record.f64(6)};
}

void NumberRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kNumber);
    cell.write(out);
    le::append64(out, std::bit_cast<std::uint64_t>(value));
    endRecord(out, header);
}

RkRecord RkRecord::read(const RecordReader& record) {
    return {CellAddress::read(record), record.u32(6)};
}

void RkRecord::write(Bytes& out) const {
    writeCellWith32(out, id::kRk, cell, rk);
}

MulRkRecord MulRkRecord::read(const RecordReader& record) {
    const std::size_t count = multipleCount(record, 6);
    MulRkRecord mulRk{record.u16(0), record.u16(2), {}};
    mulRk.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        mulRk.entries.push_back({record.u16(4 + 6 * i), record.u32(6 + 6 * i)});
    }
    return mulRk;
}

void MulRkRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kMulRk);
    le::append16(out, row);
    le::append16(out, firstColumn);
    for (const Entry& entry : entries) {
        le::append16(out, entry.xf);
        le::append32(out, entry.rk);
    }
    le::append16(out, static_cast<std::uint16_t>(firstColumn + entries.size() - 1));
    endRecord(out, header);
}

BlankRecord BlankRecord::read(const RecordReader& record) {
    return {CellAddress::read(record)};
}

void BlankRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kBlank);
    cell.write(out);
    endRecord(out, header);
}

MulBlankRecord MulBlankRecord::read(const RecordReader& record) {
    const std::size_t count = multipleCount(record, 2);
    MulBlankRecord mulBlank{record.u16(0), record.u16(2), {}};
    mulBlank.xfs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        mulBlank.xfs.push_back(record.u16(4 + 2 * i));
    }
    return mulBlank;
}

void MulBlankRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kMulBlank);
    le::append16(out, row);
    le::append16(out, firstColumn);
    for (std::uint16_t xf : xfs) {
        le::append16(out, xf);
    }
    le::append16(out, static_cast<std::uint16_t>(firstColumn + xfs.size() - 1));
    endRecord(out, header);
}

BoolErrRecord BoolErrRecord::read(const RecordReader& record) {
    return {CellAddress::read(record), record.u8(6), record.u8(7) != 0};
}

void BoolErrRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kBoolErr);
    cell.write(out);
    le::append8(out, value);
    le::append8(out, isError ? 1 : 0);
    endRecord(out, header);
}

FormulaRecord FormulaRecord::read(const RecordReader& record) {
    record.requireSize(22);
    FormulaRecord formula{CellAddress::read(record)};
    if (record.u16(12) != 0xFFFF) {
        formula.number = record.f64(6);
        return formula;
    }
    switch (record.u8(6)) {
        case 0:
            formula.result = Result::Text;
            break;
        case 1:
            formula.result = Result::Boolean;
            break;
        case 2:
            formula.result = Result::Error;
            break;
        case 3:
            formula.result = Result::EmptyText;
            break;
        default:
            record.damaged("unbekannte Art des Formelergebnisses (" + std::to_string(record.u8(6)) +
                           ")");
    }
    formula.code = record.u8(8);
    return formula;
}

StringRecord StringRecord::read(const RecordReader& record) {
    StringReader strings(record, 0);
    return {strings.readRich().text};
}

}  // namespace glossel::xls
