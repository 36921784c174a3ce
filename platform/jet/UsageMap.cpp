// Reading usage maps.
#include "platform/jet/UsageMap.h"

#include "platform/jet/DataPage.h"

namespace glossel::jet {
namespace {

constexpr std::uint8_t kInlineMap = 0;
constexpr std::uint8_t kReferenceMap = 1;
constexpr std::size_t kBitmapPageHeader = 4;

void addMarkedPages(const ByteView& bitmap, std::uint64_t firstPage, const PageChannel& channel,
                    std::vector<std::uint32_t>& pages) {
    for (std::size_t byte = 0; byte < bitmap.size(); ++byte) {
        const std::uint8_t bits = bitmap.u8(byte);
        for (int bit = 0; bits != 0 && bit < 8; ++bit) {
            if ((bits & (1u << bit)) == 0) {
                continue;
            }
            const std::uint64_t page = firstPage + byte * 8 + static_cast<unsigned>(bit);
            if (page >= channel.pageCount()) {
                bitmap.damaged("die Seitenzuordnung nennt Seite " + std::to_string(page) +
                               " hinter dem Dateiende");
            }
            pages.push_back(static_cast<std::uint32_t>(page));
        }
    }
}

// The bytes of the row at `rowId`, with the page kept alive in `holder`.
ByteView readRowBytes(const PageChannel& channel, RowId rowId, const std::string& table,
                      PageBuffer& holder) {
    holder = channel.page(rowId.page, table);
    const DataPage page(channel.view(holder, rowId.page, table), channel.format());
    if (page.pageType() != page_type::kData) {
        page.bytes().damaged("Zeilenverweis auf eine Seite, die keine Datenseite ist");
    }
    return page.row(rowId.row);
}

}  // namespace

std::vector<std::uint32_t> readUsageMap(const PageChannel& channel, RowId map,
                                        const std::string& table) {
    PageBuffer holder;
    const ByteView row = readRowBytes(channel, map, table, holder);
    std::vector<std::uint32_t> pages;
    switch (row.u8(0)) {
        case kInlineMap:
            addMarkedPages(row.slice(5, row.size() - std::min<std::size_t>(row.size(), 5)),
                           row.u32(1), channel, pages);
            break;
        case kReferenceMap: {
            const std::uint64_t pagesPerBitmap =
                (channel.format().pageSize - kBitmapPageHeader) * 8;
            for (std::size_t entry = 0; 1 + entry * 4 + 4 <= row.size(); ++entry) {
                const std::uint32_t bitmapPage = row.u32(1 + entry * 4);
                if (bitmapPage == 0) {
                    continue;
                }
                const PageBuffer buffer = channel.page(bitmapPage, table);
                const ByteView bitmap = channel.view(buffer, bitmapPage, table);
                if (bitmap.u8(0) != page_type::kUsageMapBitmap) {
                    bitmap.damaged("keine Seite einer Seitenzuordnung");
                }
                addMarkedPages(bitmap.slice(kBitmapPageHeader, bitmap.size() - kBitmapPageHeader),
                               entry * pagesPerBitmap, channel, pages);
            }
            break;
        }
        default:
            row.damaged("unbekannte Art der Seitenzuordnung " + std::to_string(row.u8(0)));
    }
    return pages;
}

}  // namespace glossel::jet
