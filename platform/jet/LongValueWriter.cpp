// Long values onto LVAL pages.
#include "platform/jet/LongValueWriter.h"

#include <algorithm>

#include "platform/ByteOrder.h"
#include "platform/jet/DataPageWriter.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/UsageMap.h"
#include "platform/jet/UsageMapWriter.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kLongestInline = 64;
constexpr std::size_t kHeaderSize = 12;
constexpr std::uint32_t kInline = 0x80000000;
constexpr std::uint32_t kSingleRow = 0x40000000;
constexpr std::size_t kChainPointer = 4;

bool isLongValuePage(std::span<const std::uint8_t> page) {
    return page[0] == page_type::kData && page[4] == 'L' && page[5] == 'V' && page[6] == 'A' &&
           page[7] == 'L';
}

}  // namespace

std::optional<std::uint32_t> LongValueWriter::lastPageWithRoomFor(std::size_t size) {
    if (currentPage_ &&
        roomForNewRow(*channel_.page(*currentPage_, table_), channel_.format()) >= size) {
        return currentPage_;
    }
    if (!currentPage_) {
        const auto pages = readUsageMap(channel_, maps_.freeSpace, table_);
        for (auto page = pages.rbegin(); page != pages.rend(); ++page) {
            const PageBuffer bytes = channel_.page(*page, table_);
            if (isLongValuePage(*bytes)) {
                currentPage_ = *page;
                break;
            }
        }
        if (currentPage_ &&
            roomForNewRow(*channel_.page(*currentPage_, table_), channel_.format()) >= size) {
            return currentPage_;
        }
    }
    return std::nullopt;
}

RowId LongValueWriter::placeRow(std::span<const std::uint8_t> row) {
    const JetFormat& format = channel_.format();
    std::optional<std::uint32_t> page = lastPageWithRoomFor(row.size());
    const bool fresh = !page;
    if (fresh) {
        if (currentPage_) {
            removeFromUsageMap(channel_, maps_.freeSpace, *currentPage_, table_);
        }
        page = allocatePage(channel_);
        initialiseDataPage(channel_.change(*page, table_), format, kLongValueOwner);
        currentPage_ = page;
    }
    const std::uint16_t slot = addRow(channel_.change(*page, table_), format, row);
    channel_.flush(*page);
    if (fresh) {
        addToUsageMap(channel_, maps_.ownedPages, *page, table_);
        addToUsageMap(channel_, maps_.freeSpace, *page, table_);
    }
    return {*page, static_cast<std::uint8_t>(slot)};
}

Bytes LongValueWriter::write(std::span<const std::uint8_t> data) {
    PageChannel::ChangeScope scope(channel_);
    const auto length = static_cast<std::uint32_t>(data.size());
    Bytes header(kHeaderSize, 0);
    if (data.size() <= kLongestInline) {
        le::set32(header, 0, length | kInline);
        header.insert(header.end(), data.begin(), data.end());
        return header;
    }
    const std::size_t largestRow =
        channel_.format().pageSize - channel_.format().dataRowOffsetsStart - 2;
    const std::size_t largestChunk = largestRow - kChainPointer;
    if (data.size() <= largestRow) {
        le::set32(header, 0, length | kSingleRow);
        le::set32(header, 4, placeRow(data).stored());
        return header;
    }
    // The chain is written from its end, so that each row can point to the next one.
    std::uint32_t next = 0;
    const std::size_t chunks = (data.size() + largestChunk - 1) / largestChunk;
    for (std::size_t chunk = chunks; chunk-- > 0;) {
        const auto part = data.subspan(chunk * largestChunk,
                                       std::min(largestChunk, data.size() - chunk * largestChunk));
        Bytes row(kChainPointer, 0);
        le::set32(row, 0, next);
        row.insert(row.end(), part.begin(), part.end());
        next = placeRow(row).stored();
    }
    le::set32(header, 0, length);
    le::set32(header, 4, next);
    return header;
}

}  // namespace glossel::jet
