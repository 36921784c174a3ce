// Reading and writing the structure records.
#include "platform/xls/SheetRecords.h"

#include "platform/ByteOrder.h"
#include "platform/xls/BiffFormat.h"
#include "platform/xls/StringReader.h"

namespace glossel::xls {

BofRecord BofRecord::read(const RecordReader& record) {
    return {record.u16(0), record.u16(2)};
}

BoundSheetRecord BoundSheetRecord::read(const RecordReader& record) {
    StringReader strings(record, 6);
    return {record.u32(0), record.u8(5), strings.readShort()};
}

void BoundSheetRecord::patchPosition(Bytes& out, std::size_t header, std::uint32_t position) {
    le::set32(out, header + kRecordHeaderSize, position);
}

XfRecord XfRecord::read(const RecordReader& record) {
    return {(record.u16(4) & kXfIsStyle) != 0};
}

DimensionsRecord DimensionsRecord::read(const RecordReader& record) {
    return {record.u32(0), record.u32(4), record.u16(8), record.u16(10)};
}

void DimensionsRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kDimensions);
    le::append32(out, firstRow);
    le::append32(out, rowEnd);
    le::append16(out, firstColumn);
    le::append16(out, columnEnd);
    le::append16(out, 0);
    endRecord(out, header);
}

DefaultRowHeightRecord DefaultRowHeightRecord::read(const RecordReader& record) {
    return {record.u16(2)};
}

ColInfoRecord ColInfoRecord::read(const RecordReader& record) {
    return {record.u16(0), record.u16(2), record.u16(4), record.u16(6), record.u16(8)};
}

RowRecord RowRecord::read(const RecordReader& record) {
    return {record.u16(0), record.u16(2),  record.u16(4), record.u16(6),
            record.u32(8), record.u16(12), record.u16(14)};
}

void RowRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kRow);
    le::append16(out, row);
    le::append16(out, firstColumn);
    le::append16(out, columnEnd);
    le::append16(out, height);
    le::append32(out, reserved);
    le::append16(out, flags);
    le::append16(out, xfWord);
    endRecord(out, header);
}

void IndexRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kIndex);
    le::append32(out, 0);
    le::append32(out, firstRow);
    le::append32(out, rowEnd);
    le::append32(out, defColWidthPosition);
    for (std::uint32_t position : dbCellPositions) {
        le::append32(out, position);
    }
    endRecord(out, header);
}

void DbCellRecord::write(Bytes& out) const {
    const std::size_t header = beginRecord(out, id::kDbCell);
    le::append32(out, firstRowOffset);
    for (std::uint16_t offset : cellOffsets) {
        le::append16(out, offset);
    }
    endRecord(out, header);
}

}  // namespace glossel::xls
