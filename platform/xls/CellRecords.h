// The cell records of a worksheet, one struct per record kind with its read and write side by
// side. Reads check the record's size and report damage through the RecordReader; writes
// append one complete record. Layouts are in BiffFormat.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xls/Record.h"
#include "platform/xls/RecordWriter.h"
#include "platform/xls/StringReader.h"

namespace glossel::xls {

struct CellAddress {
    std::uint16_t row = 0;
    std::uint16_t column = 0;
    std::uint16_t xf = 0;

    static CellAddress read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct LabelSstRecord {
    CellAddress cell;
    std::uint32_t index = 0;

    static LabelSstRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

// Inline text; read only, this engine writes texts as LABELSST.
struct LabelRecord {
    CellAddress cell;
    std::u16string text;

    static LabelRecord read(const RecordReader& record);
};

struct NumberRecord {
    CellAddress cell;
    double value = 0;

    static NumberRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct RkRecord {
    CellAddress cell;
    std::uint32_t rk = 0;

    static RkRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct MulRkRecord {
    struct Entry {
        std::uint16_t xf = 0;
        std::uint32_t rk = 0;
    };
    std::uint16_t row = 0;
    std::uint16_t firstColumn = 0;
    std::vector<Entry> entries;  // one per column from firstColumn

    static MulRkRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct BlankRecord {
    CellAddress cell;

    static BlankRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct MulBlankRecord {
    std::uint16_t row = 0;
    std::uint16_t firstColumn = 0;
    std::vector<std::uint16_t> xfs;  // one per column from firstColumn

    static MulBlankRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

struct BoolErrRecord {
    CellAddress cell;
    std::uint8_t value = 0;  // 0/1, or the error code
    bool isError = false;

    static BoolErrRecord read(const RecordReader& record);
    void write(Bytes& out) const;
};

// A formula cell; this engine keeps formulas as read and only interprets the cached result.
struct FormulaRecord {
    enum class Result { Number, Text, Boolean, Error, EmptyText };
    CellAddress cell;
    Result result = Result::Number;
    double number = 0;      // for Number
    std::uint8_t code = 0;  // for Boolean and Error

    static FormulaRecord read(const RecordReader& record);
};

// The text result of the FORMULA before it.
struct StringRecord {
    std::u16string text;

    static StringRecord read(const RecordReader& record);
};

}  // namespace glossel::xls
