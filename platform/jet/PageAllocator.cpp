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

}  // namespace

std::uint32_t allocatePage(PageChannel& channel) {
    PageChannel::ChangeScope scope(channel);
    const std::optional<GlobalMap> map = readGlobalMap(channel);
    std::optional<std::uint32_t> reused;
    if (map && map->firstPage == 0) {
        const PageBuffer global = channel.page(kGlobalMapPage);
        for (std::uint32_t number = kFirstAllocatable;
             number < channel.pageCount() && covers(*map, number); ++number) {
            if (bit(*global, *map, number)) {
                reused = number;
                break;
            }
        }
    }
    const std::uint32_t number = reused ? *reused : channel.pageCount();
    if (map && covers(*map, number)) {
        std::vector<std::uint8_t>& global = channel.change(kGlobalMapPage);
        const std::size_t index = number - map->firstPage;
        global[map->rowStart + kMapBitmap + index / 8] &=
            static_cast<std::uint8_t>(~(1u << (index % 8)));
        channel.flush(kGlobalMapPage);
    }
    if (reused) {
        std::vector<std::uint8_t>& page = channel.change(number);
        std::fill(page.begin(), page.end(), 0);
        return number;
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

}  // namespace glossel::jet
