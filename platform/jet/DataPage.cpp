// Row slots of a data page.
#include "platform/jet/DataPage.h"

#include <string>

namespace glossel::jet {

std::uint16_t DataPage::slot(std::uint16_t row) const {
    if (row >= rowCount()) {
        bytes_.damaged("Zeile " + std::to_string(row) + " gibt es auf der Seite nicht");
    }
    return bytes_.u16(format_->dataRowOffsetsStart + 2u * row);
}

std::uint16_t DataPage::rowFlags(std::uint16_t row) const {
    return slot(row) & static_cast<std::uint16_t>(~row_flag::kOffsetMask);
}

bool DataPage::isDeleted(std::uint16_t row) const {
    return (rowFlags(row) & row_flag::kDeleted) == row_flag::kDeleted;
}

ByteView DataPage::row(std::uint16_t row) const {
    const std::size_t start = slot(row) & row_flag::kOffsetMask;
    const std::size_t end = row == 0 ? bytes_.size() : (slot(row - 1) & row_flag::kOffsetMask);
    const std::size_t headerEnd = format_->dataRowOffsetsStart + 2u * rowCount();
    if (start < headerEnd || end < start || end > bytes_.size()) {
        bytes_.damaged("Zeile " + std::to_string(row) + " hat unmögliche Grenzen (" +
                       std::to_string(start) + " bis " + std::to_string(end) + ")");
    }
    return bytes_.slice(start, end - start);
}

}  // namespace glossel::jet
