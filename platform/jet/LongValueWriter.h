// Writing memo and OLE values (layout in LongValue.h). Up to 64 bytes stay in the row; up to one
// LVAL row's worth go into a single LVAL row; longer ones into a chain of rows. LVAL pages belong
// to the column's own usage maps. Each LVAL row is flushed before anything refers to it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/Variant.h"
#include "platform/jet/PageChannel.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {

class LongValueWriter {
public:
    LongValueWriter(PageChannel& channel, const LongValueMaps& maps, std::string table)
        : channel_(channel), maps_(maps), table_(std::move(table)) {}

    // The field bytes for the row: the 12-byte header, followed by the data when it is inline.
    Bytes write(std::span<const std::uint8_t> data);

private:
    // Puts one LVAL row on the current LVAL page or a new one, flushes it, and returns its place.
    RowId placeRow(std::span<const std::uint8_t> row);
    std::optional<std::uint32_t> lastPageWithRoomFor(std::size_t size);

    PageChannel& channel_;
    LongValueMaps maps_;
    std::string table_;
    std::optional<std::uint32_t> currentPage_;
};

}  // namespace glossel::jet
