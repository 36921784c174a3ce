// Usage map changes.
#include "platform/jet/UsageMapWriter.h"

#include <algorithm>

#include "platform/ByteOrder.h"
#include "platform/jet/DataPage.h"
#include "platform/jet/PageAllocator.h"
#include "platform/jet/UsageMap.h"

namespace glossel::jet {
namespace {

constexpr std::uint8_t kInlineMap = 0;
constexpr std::uint8_t kReferenceMap = 1;
constexpr std::size_t kMapStart = 1;
constexpr std::size_t kInlineBitmap = 5;
constexpr std::size_t kBitmapPageHeader = 4;

struct MapRow {
    std::size_t start = 0;  // offset of the row on its holder page
    std::size_t length = 0;
};

MapRow locate(const PageChannel& channel, RowId map, const std::string& table) {
    const PageBuffer buffer = channel.page(map.page, table);
    const DataPage page(channel.view(buffer, map.page, table), channel.format());
    const ByteView row = page.row(map.row);
    if (row.size() <= kInlineBitmap) {
        row.damaged("die Seitenzuordnung ist zu kurz");
    }
    return {static_cast<std::size_t>(row.bytes().data() - buffer->data()), row.size()};
}

void setBit(std::vector<std::uint8_t>& bytes, std::size_t bitmapStart, std::size_t index, bool on) {
    const auto mask = static_cast<std::uint8_t>(1u << (index % 8));
    auto& byte = bytes[bitmapStart + index / 8];
    byte = on ? (byte | mask) : (byte & static_cast<std::uint8_t>(~mask));
}

std::uint32_t pagesPerBitmapPage(const PageChannel& channel) {
    return (channel.format().pageSize - kBitmapPageHeader) * 8;
}

// A new bitmap page marking `pages` (all within its range from `base`), written at once.
std::uint32_t writeBitmapPage(PageChannel& channel, std::uint32_t base,
                              const std::vector<std::uint32_t>& pages) {
    const std::uint32_t number = allocatePage(channel);
    std::vector<std::uint8_t>& bitmap = channel.change(number);
    bitmap[0] = page_type::kUsageMapBitmap;
    bitmap[1] = 0x01;
    for (const std::uint32_t page : pages) {
        setBit(bitmap, kBitmapPageHeader, page - base, true);
    }
    channel.flush(number);
    return number;
}

// Rewrites an inline map as a reference map holding `pages`.
void promote(PageChannel& channel, RowId map, const MapRow& row, std::vector<std::uint32_t> pages,
             const std::string& table) {
    const std::uint32_t perPage = pagesPerBitmapPage(channel);
    const std::size_t entries = (row.length - kMapStart) / 4;
    std::vector<std::uint32_t> bitmapPages(entries, 0);
    std::sort(pages.begin(), pages.end());
    for (auto first = pages.begin(); first != pages.end();) {
        const std::uint32_t entry = *first / perPage;
        if (entry >= entries) {
            throwDamaged(
                {channel.path(), map.page, table},
                "die Seitenzuordnung kann Seite " + std::to_string(*first) + " nicht aufnehmen");
        }
        const auto last =
            std::find_if(first, pages.end(), [&](std::uint32_t p) { return p / perPage != entry; });
        bitmapPages[entry] = writeBitmapPage(channel, entry * perPage, {first, last});
        first = last;
    }
    std::vector<std::uint8_t>& holder = channel.change(map.page, table);
    std::fill_n(holder.begin() + static_cast<std::ptrdiff_t>(row.start), row.length, 0);
    holder[row.start] = kReferenceMap;
    for (std::size_t entry = 0; entry < entries; ++entry) {
        le::set32(holder, row.start + kMapStart + 4 * entry, bitmapPages[entry]);
    }
}

void addToInlineMap(PageChannel& channel, RowId map, const MapRow& row, std::uint32_t page,
                    const std::string& table) {
    std::vector<std::uint8_t>& holder = channel.change(map.page, table);
    const std::uint32_t first = le::get32(holder, row.start + kMapStart);
    const std::size_t capacity = (row.length - kInlineBitmap) * 8;
    const std::size_t bitmap = row.start + kInlineBitmap;
    if (page >= first && page - first < capacity) {
        setBit(holder, bitmap, page - first, true);
        return;
    }
    std::vector<std::uint32_t> pages{page};
    for (std::size_t i = 0; i < capacity; ++i) {
        if ((holder[bitmap + i / 8] >> (i % 8) & 1) != 0) {
            pages.push_back(static_cast<std::uint32_t>(first + i));
        }
    }
    const std::uint32_t lowest = *std::min_element(pages.begin(), pages.end()) / 8 * 8;
    const std::uint32_t highest = *std::max_element(pages.begin(), pages.end());
    if (highest - lowest >= capacity) {
        promote(channel, map, row, std::move(pages), table);
        return;
    }
    std::fill_n(holder.begin() + static_cast<std::ptrdiff_t>(bitmap), row.length - kInlineBitmap,
                0);
    le::set32(holder, row.start + kMapStart, lowest);
    for (const std::uint32_t marked : pages) {
        setBit(holder, bitmap, marked - lowest, true);
    }
}

void changeReferenceMap(PageChannel& channel, RowId map, const MapRow& row, std::uint32_t page,
                        bool add, const std::string& table) {
    const std::uint32_t perPage = pagesPerBitmapPage(channel);
    const std::size_t entry = page / perPage;
    if (entry >= (row.length - kMapStart) / 4) {
        throwDamaged({channel.path(), map.page, table},
                     "die Seitenzuordnung kann Seite " + std::to_string(page) + " nicht aufnehmen");
    }
    const std::size_t entryAt = row.start + kMapStart + 4 * entry;
    const std::uint32_t bitmapPage = le::get32(*channel.page(map.page, table), entryAt);
    if (bitmapPage == 0) {
        if (add) {
            const std::uint32_t written =
                writeBitmapPage(channel, static_cast<std::uint32_t>(entry * perPage), {page});
            le::set32(channel.change(map.page, table), entryAt, written);
        }
        return;
    }
    std::vector<std::uint8_t>& bitmap = channel.change(bitmapPage, table);
    if (bitmap[0] != page_type::kUsageMapBitmap) {
        throwDamaged({channel.path(), bitmapPage, table}, "keine Seite einer Seitenzuordnung");
    }
    setBit(bitmap, kBitmapPageHeader, page - entry * perPage, add);
}

void changeMap(PageChannel& channel, RowId map, std::uint32_t page, bool add,
               const std::string& table) {
    PageChannel::ChangeScope scope(channel);
    const MapRow row = locate(channel, map, table);
    const std::uint8_t type = (*channel.page(map.page, table))[row.start];
    if (type == kReferenceMap) {
        changeReferenceMap(channel, map, row, page, add, table);
    } else if (type != kInlineMap) {
        throwDamaged({channel.path(), map.page, table}, "unbekannte Art der Seitenzuordnung");
    } else if (add) {
        addToInlineMap(channel, map, row, page, table);
    } else {
        std::vector<std::uint8_t>& holder = channel.change(map.page, table);
        const std::uint32_t first = le::get32(holder, row.start + kMapStart);
        if (page >= first && page - first < (row.length - kInlineBitmap) * 8) {
            setBit(holder, row.start + kInlineBitmap, page - first, false);
        }
    }
}

}  // namespace

void addToUsageMap(PageChannel& channel, RowId map, std::uint32_t page, const std::string& table) {
    changeMap(channel, map, page, true, table);
}

void removeFromUsageMap(PageChannel& channel, RowId map, std::uint32_t page,
                        const std::string& table) {
    changeMap(channel, map, page, false, table);
}

}  // namespace glossel::jet
