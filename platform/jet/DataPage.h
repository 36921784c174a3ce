// A data page: row slots filled from the page end downwards. Row i runs from its offset up to the
// offset of row i - 1 (the page end for row 0); the top bits of an offset are the row's flags.
#pragma once

#include <cstdint>

#include "platform/jet/Damage.h"
#include "platform/jet/JetFormat.h"

namespace glossel::jet {

class DataPage {
public:
    DataPage(ByteView bytes, const JetFormat& format) : bytes_(bytes), format_(&format) {}

    const ByteView& bytes() const { return bytes_; }
    std::uint8_t pageType() const { return bytes_.u8(0); }
    std::uint32_t owner() const { return bytes_.u32(4); }
    std::uint16_t rowCount() const { return bytes_.u16(format_->dataRowCountOffset); }

    // The slot's flag bits (row_flag::kDeleted, kMovedData, kOverflowPointer).
    std::uint16_t rowFlags(std::uint16_t row) const;
    bool isDeleted(std::uint16_t row) const;
    // The row's bytes; damage when the slot does not exist or its bounds are impossible.
    ByteView row(std::uint16_t row) const;

private:
    std::uint16_t slot(std::uint16_t row) const;

    ByteView bytes_;
    const JetFormat* format_;
};

}  // namespace glossel::jet
