// The structure records of the globals and of a worksheet that this engine interprets or
// rebuilds, one struct per record kind with its read and write side by side. All other records
// are copied as read. Layouts are in BiffFormat.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xls/Record.h"
#include "platform/xls/RecordWriter.h"

namespace glossel::xls {

struct BofRecord {
    std::uint16_t version = 0;
    std::uint16_t type = 0;

    static BofRecord read(const RecordReader& record);
};

// Written as read, with only the position of the sheet's BOF replaced.
struct BoundSheetRecord {
    std::uint32_t position = 0;
    std::uint8_t sheetType = 0;
    std::u16string name;

    static BoundSheetRecord read(const RecordReader& record);
    // Sets the position field of the BOUNDSHEET record whose header is at `header` in `out`.
    static void patchPosition(Bytes& out, std::size_t header, std::uint32_t position);
};

struct XfRecord {
    bool isStyle = false;

    static XfRecord read(const RecordReader& record);
};

struct DimensionsRecord {
    std::uint32_t firstRow = 0;
    std::uint32_t rowEnd = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t columnEnd = 0;

    static DimensionsRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct DefaultRowHeightRecord {
    std::uint16_t height = 0;

    static DefaultRowHeightRecord read(const RecordReader& record);
};

struct ColInfoRecord {
    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumn = 0;  // may be 256, one past the last column
    std::uint16_t width = 0;
    std::uint16_t xf = 0;
    std::uint16_t flags = 0;

    static ColInfoRecord read(const RecordReader& record);
};

struct RowRecord {
    std::uint16_t row = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t columnEnd = 0;
    std::uint16_t height = 0;
    std::uint32_t reserved = 0;
    std::uint16_t flags = 0;
    std::uint16_t xfWord = 0;

    bool hasXf() const { return (flags & 0x0080) != 0; }
    std::uint16_t xf() const { return xfWord & 0x0FFF; }
    static RowRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct IndexRecord {
    std::uint32_t firstRow = 0;
    std::uint32_t rowEnd = 0;
    std::uint32_t defColWidthPosition = 0;
    std::vector<std::uint32_t> dbCellPositions;

    void write(Bytes& out) const;
};

struct DbCellRecord {
    std::uint32_t firstRowOffset = 0;
    std::vector<std::uint16_t> cellOffsets;

    void write(Bytes& out) const;
};

}  // namespace glossel::xls
