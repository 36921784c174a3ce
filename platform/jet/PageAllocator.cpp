// Page allocation through the global map on page 1.
#include "platform/jet/PageAllocator.h"

#include <algorithm>
#include <optional>

#include "platform/jet/DataPage.h"

namespace glossel::jet {
namespace {

constexpr std::uint32_t kGlobalMapPage = 1;
constexpr std::size_t kMapStart = 1;
constexpr std::size_t kMapBitmap = 5;
// Pages 0 to 2 (header, global map, catalogue definition) are never free.
constexpr std::uint32_t kFirstAllocatable = 3;
// How many pages a growing file claims in the global map at once.
constexpr std::uint32_t kPagesClaimedAhead = 64;

struct GlobalMap {
    std::size_t rowStart = 0;
    std::size_t rowLength = 0;
    std::uint32_t firstPage = 0;
};

std::optional<GlobalMap> readGlobalMap(const PageChannel& channel) {
    const PageBuffer buffer = channel.page(kGlobalMapPage);
    const DataPage page(channel.view(buffer, kGlobalMapPage, {}), channel.format());
    if (page.pageType() != page_type::kData || page.rowCount() == 0) {
        return std::nullopt;
    }
    const ByteView row = page.row(0);
    if (row.size() <= kMapBitmap || row.u8(0) != 0) {
        return std::nullopt;
    }
    return GlobalMap{static_cast<std::size_t>(row.bytes().data() - buffer->data()), row.size(),
                     row.u32(kMapStart)};
}

bool bit(const std::vector<std::uint8_t>& page, const GlobalMap& map, std::uint32_t number) {
    const std::size_t index = number - map.firstPage;
    return (page[map.rowStart + kMapBitmap + index / 8] >> (index % 8) & 1) != 0;
}

bool covers(const GlobalMap& map, std::uint32_t number) {
    return number >= map.firstPage && (number - map.firstPage) / 8 < map.rowLength - kMapBitmap;
}

void markFree(std::vector<std::uint8_t>& global, const GlobalMap& map, std::uint32_t number) {
    const std::size_t index = number - map.firstPage;
    global[map.rowStart + kMapBitmap + index / 8] |= static_cast<std::uint8_t>(1u << (index % 8));
}

void markUsed(std::vector<std::uint8_t>& global, const GlobalMap& map, std::uint32_t number) {
    const std::size_t index = number - map.firstPage;
    global[map.rowStart + kMapBitmap + index / 8] &=
        static_cast<std::uint8_t>(~(1u << (index % 8)));
}

// The first page inside the file that the map marks free, looked for a byte of the map at a time.
std::optional<std::uint32_t> firstFreePage(const PageChannel& channel, const GlobalMap& map) {
    const PageBuffer global = channel.page(kGlobalMapPage);
    const std::uint8_t* bitmap = global->data() + map.rowStart + kMapBitmap;
    const std::size_t bytes = map.rowLength - kMapBitmap;
    for (std::size_t byte = kFirstAllocatable / 8; byte < bytes; ++byte) {
        if (bitmap[byte] == 0) {
            continue;
        }
        for (std::uint32_t index = 0; index < 8; ++index) {
            const std::uint32_t number = static_cast<std::uint32_t>(byte * 8) + index;
            if (number >= channel.pageCount()) {
                return std::nullopt;
            }
            if (number >= kFirstAllocatable && (bitmap[byte] >> index & 1) != 0) {
                return number;
            }
        }
    }
    return std::nullopt;
}

// The pages after the end of the file that the map covers, up to `count` of them.
std::uint32_t endOfClaimWindow(const PageChannel& channel, const GlobalMap& map,
                               std::uint32_t count) {
    std::uint32_t end = channel.pageCount();
    while (end - channel.pageCount() < count && covers(map, end)) {
        ++end;
    }
    return end;
}

// Marks the pages claimed ahead beyond the end of the file free again; changes nothing when
// there are none.
void releaseClaimsBeyondEnd(PageChannel& channel) {
    const std::optional<GlobalMap> map = readGlobalMap(channel);
    if (!map) {
        return;
    }
    const std::uint32_t end = endOfClaimWindow(channel, *map, kPagesClaimedAhead);
    const PageBuffer global = channel.page(kGlobalMapPage);
    for (std::uint32_t number = channel.pageCount(); number < end; ++number) {
        if (!bit(*global, *map, number)) {
            PageChannel::ChangeScope scope(channel);
            std::vector<std::uint8_t>& changed = channel.change(kGlobalMapPage);
            for (std::uint32_t claimed = number; claimed < end; ++claimed) {
                markFree(changed, *map, claimed);
            }
            return;
        }
    }
}

}  // namespace

std::uint32_t allocatePage(PageChannel& channel) {
    PageChannel::ChangeScope scope(channel);
    const std::optional<GlobalMap> map = readGlobalMap(channel);
    if (map && map->firstPage == 0) {
        if (const std::optional<std::uint32_t> reused = firstFreePage(channel, *map)) {
            markUsed(channel.change(kGlobalMapPage), *map, *reused);
            channel.flush(kGlobalMapPage);
            std::vector<std::uint8_t>& page = channel.change(*reused);
            std::fill(page.begin(), page.end(), 0);
            return *reused;
        }
    }
    const std::uint32_t number = channel.pageCount();
    if (map && covers(*map, number) && bit(*channel.page(kGlobalMapPage), *map, number)) {
        std::vector<std::uint8_t>& global = channel.change(kGlobalMapPage);
        const std::uint32_t end = endOfClaimWindow(channel, *map, kPagesClaimedAhead);
        for (std::uint32_t claimed = number; claimed < end; ++claimed) {
            markUsed(global, *map, claimed);
        }
        channel.flush(kGlobalMapPage);
    }
    return channel.appendPage();
}

void releasePage(PageChannel& channel, std::uint32_t number) {
    PageChannel::ChangeScope scope(channel);
    std::vector<std::uint8_t>& page = channel.change(number);
    std::fill(page.begin(), page.end(), 0);
    const std::optional<GlobalMap> map = readGlobalMap(channel);
    if (map && covers(*map, number)) {
        markFree(channel.change(kGlobalMapPage), *map, number);
    }
}

void releasePagesFrom(PageChannel& channel, std::uint32_t end) {
    PageChannel::ChangeScope scope(channel);
    const std::optional<GlobalMap> map = readGlobalMap(channel);
    if (!map) {
        return;
    }
    std::vector<std::uint8_t>& global = channel.change(kGlobalMapPage);
    for (std::uint32_t number = std::max(end, map->firstPage); covers(*map, number); ++number) {
        markFree(global, *map, number);
    }
}

void finishWriting(PageChannel& channel) {
    if (channel.grew() && channel.writable()) {
        releaseClaimsBeyondEnd(channel);
    }
    channel.flushAll();
}

}  // namespace glossel::jet
