// Cutting the Workbook stream into records and reading their fields.
#include "platform/xls/Record.h"

#include <algorithm>
#include <bit>
#include <string>

#include "platform/ByteOrder.h"
#include "platform/xls/BiffFormat.h"

namespace glossel::xls {

std::uint16_t RecordCursor::peekId() const {
    return le::get16(stream_, position_);
}

void RecordCursor::appendPart(Record& record, bool first) {
    const std::uint32_t start = position_;
    if (position_ > stream_.size() || stream_.size() - position_ < kRecordHeaderSize) {
        throwDamaged(source_, start, std::nullopt,
                     "der Datenstrom endet im Kopf eines Datensatzes");
    }
    const std::uint16_t recordId = peekId();
    const std::size_t length = le::get16(stream_, position_ + 2);
    if (length > kMaxRecordData) {
        throwDamaged(source_, start, recordId,
                     "der Datensatz ist " + std::to_string(length) + " Bytes lang, erlaubt sind " +
                         std::to_string(kMaxRecordData));
    }
    if (stream_.size() - position_ - kRecordHeaderSize < length) {
        throwDamaged(
            source_, start, recordId,
            "der Datenstrom endet im Datensatz (" + std::to_string(length) + " Bytes angegeben)");
    }
    const auto body = stream_.subspan(position_ + kRecordHeaderSize, length);
    if (first) {
        record.id = recordId;
        record.position = start;
    } else {
        record.cuts.push_back(static_cast<std::uint32_t>(record.data.size()));
    }
    record.data.insert(record.data.end(), body.begin(), body.end());
    position_ += static_cast<std::uint32_t>(kRecordHeaderSize + length);
}

Record RecordCursor::next() {
    Record record;
    // The record and its CONTINUE parts are gathered into one buffer, sized once: a shared
    // string table can run to megabytes in thousands of parts.
    std::size_t total = 0;
    for (std::size_t at = position_; stream_.size() - at >= kRecordHeaderSize;) {
        const std::size_t length = stream_[at + 2] | stream_[at + 3] << 8;
        total += length;
        at += kRecordHeaderSize + length;
        if (at > stream_.size() || stream_.size() - at < 2 ||
            (stream_[at] | stream_[at + 1] << 8) != id::kContinue) {
            break;
        }
    }
    record.data.reserve(std::min(total, stream_.size()));
    appendPart(record, true);
    while (stream_.size() - position_ >= 2 && peekId() == id::kContinue) {
        appendPart(record, false);
    }
    return record;
}

void RecordReader::require(std::size_t offset, std::size_t length) const {
    if (offset > size() || length > size() - offset) {
        damaged("Feld ausserhalb des Datensatzes (Offset " + std::to_string(offset) + ", Länge " +
                std::to_string(length) + ", Datensatz " + std::to_string(size()) + " Bytes)");
    }
}

void RecordReader::requireSize(std::size_t length) const {
    if (size() < length) {
        damaged("der Datensatz ist " + std::to_string(size()) + " Bytes lang, nötig sind " +
                std::to_string(length));
    }
}

std::uint8_t RecordReader::u8(std::size_t offset) const {
    require(offset, 1);
    return record_.data[offset];
}

std::uint16_t RecordReader::u16(std::size_t offset) const {
    require(offset, 2);
    return le::get16(record_.data, offset);
}

std::uint32_t RecordReader::u32(std::size_t offset) const {
    require(offset, 4);
    return le::get32(record_.data, offset);
}

double RecordReader::f64(std::size_t offset) const {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(u32(offset)) | static_cast<std::uint64_t>(u32(offset + 4)) << 32;
    return std::bit_cast<double>(bits);
}

void RecordReader::damaged(std::string_view what) const {
    throwDamaged(source_, record_.position, record_.id, what);
}

}  // namespace glossel::xls
