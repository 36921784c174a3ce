// Damage errors and bounds-checked reads.
#include "platform/jet/Damage.h"

#include "platform/ByteOrder.h"
#include "platform/Error.h"

namespace glossel::jet {

void throwDamaged(const Where& where, std::string_view what) {
    std::string description = "Die Datenbank '" + std::string(where.path) + "' ist beschädigt";
    if (where.page) {
        description += ", Seite " + std::to_string(*where.page);
    }
    if (!where.table.empty()) {
        description += ", Tabelle '" + std::string(where.table) + "'";
    }
    description += ": " + std::string(what) + ".";
    throw Error(err::kDamaged, std::move(description));
}

void ByteView::require(std::size_t offset, std::size_t length) const {
    if (offset > bytes_.size() || length > bytes_.size() - offset) {
        damaged("Verweis ausserhalb der Daten (Offset " + std::to_string(offset) + ", Länge " +
                std::to_string(length) + ")");
    }
}

std::uint8_t ByteView::u8(std::size_t offset) const {
    require(offset, 1);
    return bytes_[offset];
}

std::uint16_t ByteView::u16(std::size_t offset) const {
    require(offset, 2);
    return le::get16(bytes_, offset);
}

std::uint32_t ByteView::u32(std::size_t offset) const {
    require(offset, 4);
    return le::get32(bytes_, offset);
}

std::uint64_t ByteView::u64(std::size_t offset) const {
    require(offset, 8);
    return le::get64(bytes_, offset);
}

std::uint32_t ByteView::uint(std::size_t offset, std::size_t width) const {
    return width == 1 ? u8(offset) : u16(offset);
}

ByteView ByteView::slice(std::size_t offset, std::size_t length) const {
    require(offset, length);
    return ByteView(bytes_.subspan(offset, length), where_);
}

}  // namespace glossel::jet
