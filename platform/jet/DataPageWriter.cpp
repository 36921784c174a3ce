// Data page changes.
#include "platform/jet/DataPageWriter.h"

#include <algorithm>

#include "platform/ByteOrder.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kMaxSlots = 255;
constexpr std::size_t kFreeSpaceOffset = 2;
constexpr std::size_t kOwnerOffset = 4;

std::size_t slotAt(const JetFormat& format, std::size_t slot) {
    return format.dataRowOffsetsStart + 2 * slot;
}

std::size_t rowStart(std::span<const std::uint8_t> page, const JetFormat& format,
                     std::size_t slot) {
    return le::get16(page, slotAt(format, slot)) & row_flag::kOffsetMask;
}

std::size_t lowestRowStart(std::span<const std::uint8_t> page, const JetFormat& format) {
    const std::size_t slots = le::get16(page, format.dataRowCountOffset);
    return slots == 0 ? page.size() : rowStart(page, format, slots - 1);
}

void updateFreeSpace(std::vector<std::uint8_t>& page, const JetFormat& format) {
    const std::size_t slots = le::get16(page, format.dataRowCountOffset);
    le::set16(page, kFreeSpaceOffset, lowestRowStart(page, format) - slotAt(format, slots));
}

}  // namespace

void initialiseDataPage(std::vector<std::uint8_t>& page, const JetFormat& format,
                        std::uint32_t owner) {
    std::fill(page.begin(), page.end(), 0);
    page[0] = page_type::kData;
    page[1] = 0x01;
    le::set32(page, kOwnerOffset, owner);
    updateFreeSpace(page, format);
}

std::size_t roomForNewRow(std::span<const std::uint8_t> page, const JetFormat& format) {
    const std::size_t slots = le::get16(page, format.dataRowCountOffset);
    const std::size_t used = slotAt(format, slots + 1);
    const std::size_t lowest = lowestRowStart(page, format);
    return slots >= kMaxSlots || lowest < used ? 0 : lowest - used;
}

std::uint16_t addRow(std::vector<std::uint8_t>& page, const JetFormat& format,
                     std::span<const std::uint8_t> row, std::uint16_t flags) {
    const std::size_t slot = le::get16(page, format.dataRowCountOffset);
    const std::size_t start = lowestRowStart(page, format) - row.size();
    std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(start));
    le::set16(page, slotAt(format, slot), start | flags);
    le::set16(page, format.dataRowCountOffset, slot + 1);
    updateFreeSpace(page, format);
    return static_cast<std::uint16_t>(slot);
}

std::size_t rowLength(std::span<const std::uint8_t> page, const JetFormat& format,
                      std::uint16_t slot) {
    const std::size_t end = slot == 0 ? page.size() : rowStart(page, format, slot - 1u);
    return end - rowStart(page, format, slot);
}

void overwriteRow(std::vector<std::uint8_t>& page, const JetFormat& format, std::uint16_t slot,
                  std::span<const std::uint8_t> row) {
    std::copy(row.begin(), row.end(),
              page.begin() + static_cast<std::ptrdiff_t>(rowStart(page, format, slot)));
}

void setRowFlags(std::vector<std::uint8_t>& page, const JetFormat& format, std::uint16_t slot,
                 std::uint16_t flags) {
    le::set16(page, slotAt(format, slot), rowStart(page, format, slot) | flags);
}

}  // namespace glossel::jet
