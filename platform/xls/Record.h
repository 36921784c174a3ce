// Records of the Workbook stream as read: a record together with the CONTINUE records after it,
// a cursor that cuts a stream into such records, and bounds-checked reads of their fields.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/xls/Damage.h"

namespace glossel::xls {

struct Record {
    std::uint16_t id = 0;
    std::uint32_t position = 0;       // of the record header in the stream
    std::vector<std::uint8_t> data;   // the record's data, then the data of each CONTINUE
    std::vector<std::uint32_t> cuts;  // offset in `data` where each CONTINUE's data begins
};

class RecordCursor {
public:
    RecordCursor(std::span<const std::uint8_t> stream, std::uint32_t position, Source source)
        : stream_(stream), position_(position), source_(source) {}

    bool atEnd() const { return position_ >= stream_.size(); }
    std::uint32_t position() const { return position_; }
    // The record at the cursor with its CONTINUEs. Damage when the stream ends inside it or a
    // part is longer than a record may be.
    Record next();

private:
    std::uint16_t peekId() const;
    void appendPart(Record& record, bool first);

    std::span<const std::uint8_t> stream_;
    std::uint32_t position_;
    Source source_;
};

// Bounds-checked little-endian reads of a record's data; a read past its end is damage that
// names the record and its position.
class RecordReader {
public:
    RecordReader(const Record& record, Source source) : record_(record), source_(source) {}

    const Record& record() const { return record_; }
    std::size_t size() const { return record_.data.size(); }

    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    double f64(std::size_t offset) const;
    // The record must hold at least `length` bytes.
    void requireSize(std::size_t length) const;

    [[noreturn]] void damaged(std::string_view what) const;

private:
    void require(std::size_t offset, std::size_t length) const;

    const Record& record_;
    Source source_;
};

}  // namespace glossel::xls
