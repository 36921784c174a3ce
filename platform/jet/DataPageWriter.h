// Changing data pages: new pages, rows added in a new slot, rows rewritten in their slot, and slot
// flags. Keeps the page header's free-space word and slot count in step.
//   free = start of the lowest row - (header length + 2 * slots)
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/jet/JetFormat.h"
#include "platform/jet/PageChannel.h"

namespace glossel::jet {

// The owner word of a long-value page.
inline constexpr std::uint32_t kLongValueOwner = 0x4C41564C;  // "LVAL"

// Writes an empty data page owned by `owner` (a TDEF page, or kLongValueOwner).
void initialiseDataPage(std::vector<std::uint8_t>& page, const JetFormat& format,
                        std::uint32_t owner);

// Free bytes on the page for a new row (its slot included), 0 when the slots are used up.
std::size_t roomForNewRow(std::span<const std::uint8_t> page, const JetFormat& format);

// Adds the row in a new slot with the given flags; returns the slot. The caller checked the room.
std::uint16_t addRow(std::vector<std::uint8_t>& page, const JetFormat& format,
                     std::span<const std::uint8_t> row, std::uint16_t flags = 0);

// Overwrites the row's bytes in place; `row` must have exactly the slot's length.
void overwriteRow(std::vector<std::uint8_t>& page, const JetFormat& format, std::uint16_t slot,
                  std::span<const std::uint8_t> row);

void setRowFlags(std::vector<std::uint8_t>& page, const JetFormat& format, std::uint16_t slot,
                 std::uint16_t flags);

// The slot's extent in bytes.
std::size_t rowLength(std::span<const std::uint8_t> page, const JetFormat& format,
                      std::uint16_t slot);

}  // namespace glossel::jet
