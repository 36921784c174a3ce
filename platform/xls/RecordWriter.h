// Writing records into a Workbook stream under construction (fields through platform/ByteOrder.h):
// a record whose size is filled in when it is finished, and records copied byte for byte as read.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/ByteOrder.h"
#include "platform/xls/Record.h"

namespace glossel::xls {

using Bytes = std::vector<std::uint8_t>;

// Where a stream written in pieces goes: a writer hands on what it has once it is
// kStreamPieceSize or more, at a record boundary, and goes on with an empty buffer.
using HandOn = std::function<void(std::span<const std::uint8_t>)>;
inline constexpr std::size_t kStreamPieceSize = 1 << 20;

// A stream on its way out in pieces: `bytes` holds what is not yet handed on, `handedOn` counts
// the bytes that were.
struct PieceOut {
    Bytes& bytes;
    std::size_t& handedOn;
    const HandOn& handOn;

    std::size_t position() const { return handedOn + bytes.size(); }
    // Hands the bytes on once they are a piece's worth; without `handOn` they stay together.
    void handOnIfFull() {
        if (handOn && bytes.size() >= kStreamPieceSize) {
            handOn(bytes);
            handedOn += bytes.size();
            bytes.clear();
        }
    }
};

// Starts a record; returns the position of its header for endRecord.
inline std::size_t beginRecord(Bytes& out, std::uint16_t recordId) {
    const std::size_t header = out.size();
    le::append16(out, recordId);
    le::append16(out, 0);
    return header;
}

// Fills in the size of the record begun at `header`. The caller keeps it within 8,224 bytes.
inline void endRecord(Bytes& out, std::size_t header) {
    le::set16(out, header + 2, static_cast<std::uint16_t>(out.size() - header - 4));
}

// A record as it was read, with the CONTINUE records it came with.
void appendRaw(Bytes& out, const Record& record);

}  // namespace glossel::xls
