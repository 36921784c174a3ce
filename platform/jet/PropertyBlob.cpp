// Reading and writing property blobs.
#include "platform/jet/PropertyBlob.h"

#include <algorithm>
#include <cstring>

#include "platform/ByteOrder.h"
#include "platform/NameCompare.h"
#include "platform/jet/TextCodec.h"
#include "platform/nls/Utf16.h"

namespace glossel::jet {
namespace {

constexpr std::size_t kMagicSize = 4;
constexpr std::uint16_t kNameListChunk = 0x80;
constexpr std::uint16_t kColumnChunk = 0x01;
constexpr std::uint8_t kBooleanType = column_type::kBoolean;

void putName(Bytes& out, const std::string& name) {
    const std::u16string units = nls::toUtf16(name);
    le::append16(out, units.size() * 2);
    for (const char16_t unit : units) {
        le::append16(out, unit);
    }
}

}  // namespace

PropertyBlob PropertyBlob::parse(const Bytes& stored, const JetFormat& format, const Where& where,
                                 std::uint16_t codePage) {
    PropertyBlob blob;
    blob.format_ = &format;
    if (stored.empty()) {
        return blob;
    }
    const ByteView bytes(stored, where);
    const char* magic = format.propertyBlobMagic;
    if (stored.size() < kMagicSize || std::memcmp(stored.data(), magic, kMagicSize) != 0) {
        bytes.damaged("unbekannte Form der Eigenschaften");
    }
    std::vector<std::string> names;
    std::size_t position = kMagicSize;
    while (position < stored.size()) {
        const std::size_t length = bytes.u32(position);
        const std::uint16_t type = bytes.u16(position + 4);
        if (length < 6) {
            bytes.damaged("Eigenschaftsblock der Länge " + std::to_string(length));
        }
        const ByteView chunk = bytes.slice(position, length);
        std::size_t at = 6;
        auto readName = [&](std::size_t& offset) {
            const std::size_t size = chunk.u16(offset);
            offset += 2;
            std::string name = decodeJetText(chunk.slice(offset, size).bytes(), format, codePage);
            offset += size;
            return name;
        };
        if (type == kNameListChunk) {
            while (at < length) {
                names.push_back(readName(at));
            }
        } else {
            PropertyChunk values{type, {}, {}};
            const std::size_t blockLength = chunk.u32(at);
            std::size_t nameAt = at + 4;
            values.objectName = readName(nameAt);
            at += blockLength;
            while (at < length) {
                const std::size_t entryLength = chunk.u16(at);
                const ByteView entry = chunk.slice(at, entryLength);
                const std::size_t nameIndex = entry.u16(4);
                if (nameIndex >= names.size()) {
                    entry.damaged("Eigenschaft mit unbekanntem Namen");
                }
                const auto value = entry.slice(8, entry.u16(6)).bytes();
                values.entries.push_back({entry.u8(2), entry.u8(3), names[nameIndex],
                                          Bytes(value.begin(), value.end())});
                at += std::max<std::size_t>(entryLength, 1);
            }
            blob.chunks_.push_back(std::move(values));
        }
        position += length;
    }
    return blob;
}

std::optional<bool> PropertyBlob::columnFlag(const std::string& column,
                                             const std::string& name) const {
    for (const auto& chunk : chunks_) {
        if (chunk.type != kColumnChunk || !sameName(chunk.objectName, column)) {
            continue;
        }
        for (const auto& entry : chunk.entries) {
            if (sameName(entry.name, name)) {
                return std::any_of(entry.value.begin(), entry.value.end(),
                                   [](std::uint8_t b) { return b != 0; });
            }
        }
    }
    return std::nullopt;
}

void PropertyBlob::setColumnFlag(const std::string& column, const std::string& name, bool value) {
    // Jet writes yes/no properties as one byte, 1 for yes, flagged as set by data definition.
    const PropertyEntry entry{1, kBooleanType, name,
                              Bytes{static_cast<std::uint8_t>(value ? 1 : 0)}};
    auto chunk = std::find_if(chunks_.begin(), chunks_.end(), [&](const PropertyChunk& c) {
        return c.type == kColumnChunk && sameName(c.objectName, column);
    });
    if (chunk == chunks_.end()) {
        chunks_.push_back({kColumnChunk, column, {entry}});
        return;
    }
    auto existing = std::find_if(chunk->entries.begin(), chunk->entries.end(),
                                 [&](const PropertyEntry& e) { return sameName(e.name, name); });
    if (existing == chunk->entries.end()) {
        chunk->entries.push_back(entry);
    } else {
        *existing = entry;
    }
}

Bytes PropertyBlob::serialize() const {
    std::vector<std::string> names;
    for (const auto& chunk : chunks_) {
        for (const auto& entry : chunk.entries) {
            if (std::find(names.begin(), names.end(), entry.name) == names.end()) {
                names.push_back(entry.name);
            }
        }
    }
    Bytes out(format_->propertyBlobMagic, format_->propertyBlobMagic + kMagicSize);
    const std::size_t listStart = out.size();
    le::append32(out, 0);
    le::append16(out, kNameListChunk);
    for (const auto& name : names) {
        putName(out, name);
    }
    le::set32(out, listStart, out.size() - listStart);
    for (const auto& chunk : chunks_) {
        if (chunk.entries.empty()) {
            continue;
        }
        const std::size_t chunkStart = out.size();
        le::append32(out, 0);
        le::append16(out, chunk.type);
        const std::size_t blockStart = out.size();
        le::append32(out, 0);
        putName(out, chunk.objectName);
        le::set32(out, blockStart, out.size() - blockStart);
        for (const auto& entry : chunk.entries) {
            const auto index = std::find(names.begin(), names.end(), entry.name) - names.begin();
            le::append16(out, 8 + entry.value.size());
            out.push_back(entry.ddl);
            out.push_back(entry.type);
            le::append16(out, static_cast<std::size_t>(index));
            le::append16(out, entry.value.size());
            out.insert(out.end(), entry.value.begin(), entry.value.end());
        }
        le::set32(out, chunkStart, out.size() - chunkStart);
    }
    return out;
}

}  // namespace glossel::jet
