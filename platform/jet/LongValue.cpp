// Reading memo and OLE values from the row and from LVAL pages.
#include "platform/jet/LongValue.h"

#include <cstring>
#include <set>

#include "platform/jet/DataPage.h"
#include "platform/jet/TableDefinition.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFF;
constexpr std::uint8_t kKindMask = 0xC0;
constexpr std::uint8_t kInline = 0x80;
constexpr std::uint8_t kSingleRow = 0x40;
constexpr std::uint8_t kChain = 0x00;
constexpr char kLvalOwner[] = "LVAL";

ByteView lvalRow(const PageChannel& channel, RowId rowId, const std::string& table,
                 PageBuffer& holder) {
    holder = channel.page(rowId.page, table);
    const DataPage page(channel.view(holder, rowId.page, table), channel.format());
    if (page.pageType() != page_type::kData ||
        std::memcmp(page.bytes().bytes().data() + 4, kLvalOwner, 4) != 0) {
        page.bytes().damaged("Verweis eines langen Werts auf eine Seite ohne lange Werte");
    }
    if (page.isDeleted(rowId.row)) {
        page.bytes().damaged("Verweis eines langen Werts auf eine gelöschte Zeile");
    }
    return page.row(rowId.row);
}

}  // namespace

Bytes readLongValue(const PageChannel& channel, const ByteView& field, const std::string& table) {
    if (field.size() == 0) {
        return {};
    }
    const std::uint32_t length = field.u32(0) & kLengthMask;
    const std::uint8_t kind = field.u8(3) & kKindMask;
    if (kind == kInline) {
        const auto data = field.slice(kHeaderSize, length).bytes();
        return Bytes(data.begin(), data.end());
    }
    PageBuffer holder;
    RowId next = RowId::fromStored(field.u32(4));
    if (kind == kSingleRow) {
        const ByteView row = lvalRow(channel, next, table, holder);
        const auto data = row.slice(0, length).bytes();
        return Bytes(data.begin(), data.end());
    }
    if (kind != kChain) {
        field.damaged("unbekannte Art eines langen Werts");
    }
    Bytes value;
    value.reserve(std::min<std::size_t>(
        length, channel.pageCount() * std::size_t{channel.format().pageSize}));
    std::set<std::pair<std::uint32_t, std::uint8_t>> visited;
    while (value.size() < length) {
        if (!visited.insert({next.page, next.row}).second) {
            field.damaged("die Kette eines langen Werts verweist im Kreis");
        }
        const ByteView row = lvalRow(channel, next, table, holder);
        const std::size_t take = std::min<std::size_t>(
            row.size() - std::min<std::size_t>(row.size(), 4), length - value.size());
        const auto part = row.slice(4, take).bytes();
        value.insert(value.end(), part.begin(), part.end());
        const std::uint32_t nextStored = row.u32(0);
        if (value.size() < length && nextStored == 0) {
            row.damaged("die Kette eines langen Werts endet vor seiner Länge");
        }
        next = RowId::fromStored(nextStored);
    }
    return value;
}

}  // namespace glossel::jet
