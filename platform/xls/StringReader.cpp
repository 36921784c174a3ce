// Unicode strings across CONTINUE records.
#include "platform/xls/StringReader.h"

#include <algorithm>

#include "platform/ByteOrder.h"

namespace glossel::xls {
namespace {

constexpr std::uint8_t kHighByte = 0x01;
constexpr std::uint8_t kPhonetic = 0x04;
constexpr std::uint8_t kRich = 0x08;

}  // namespace

std::uint8_t StringReader::byte() {
    const std::uint8_t value = record_.u8(offset_);
    offset_ += 1;
    return value;
}

std::uint16_t StringReader::u16() {
    const std::uint16_t value = record_.u16(offset_);
    offset_ += 2;
    return value;
}

std::uint32_t StringReader::u32() {
    const std::uint32_t value = record_.u32(offset_);
    offset_ += 4;
    return value;
}

std::vector<std::uint8_t> StringReader::rawBytes(std::size_t count) {
    if (count > record_.size() - std::min(offset_, record_.size())) {
        record_.damaged("ein Text reicht über das Ende des Datensatzes hinaus");
    }
    const auto begin = record_.record().data.begin() + static_cast<std::ptrdiff_t>(offset_);
    offset_ += count;
    return {begin, begin + static_cast<std::ptrdiff_t>(count)};
}

std::size_t StringReader::partEnd(bool& atStart) {
    const auto& cuts = record_.record().cuts;
    auto cut = std::lower_bound(cuts.begin(), cuts.end(), offset_);
    atStart = cut != cuts.end() && *cut == offset_;
    // Skip empty CONTINUE records.
    while (cut != cuts.end() && *cut == offset_) {
        ++cut;
    }
    return cut != cuts.end() ? *cut : record_.size();
}

std::u16string StringReader::characters(std::size_t count, bool highByte) {
    std::u16string text;
    text.reserve(std::min(count, record_.size()));
    const auto& data = record_.record().data;
    while (text.size() < count) {
        bool atStart = false;
        std::size_t end = partEnd(atStart);
        if (atStart) {
            highByte = (byte() & kHighByte) != 0;
            end = partEnd(atStart);
        }
        if (offset_ >= record_.size()) {
            record_.damaged("ein Text reicht über das Ende des Datensatzes hinaus");
        }
        const std::size_t width = highByte ? 2 : 1;
        const std::size_t take = std::min(count - text.size(), (end - offset_) / width);
        for (std::size_t i = 0; i < take; ++i, offset_ += width) {
            text += highByte ? static_cast<char16_t>(le::get16(data, offset_))
                             : static_cast<char16_t>(data[offset_]);
        }
        if (take == 0) {
            // A lone byte before a cut in UTF-16 text: writers leave it unused.
            offset_ = end;
        }
    }
    return text;
}

RichString StringReader::readRich() {
    const std::uint16_t length = u16();
    const std::uint8_t flags = byte();
    const std::uint16_t runCount = (flags & kRich) ? u16() : 0;
    const std::uint32_t phoneticSize = (flags & kPhonetic) ? u32() : 0;
    RichString string;
    string.text = characters(length, (flags & kHighByte) != 0);
    string.runs = rawBytes(std::size_t{runCount} * 4);
    string.phonetic = rawBytes(phoneticSize);
    return string;
}

std::u16string StringReader::readShort() {
    const std::uint8_t length = byte();
    const std::uint8_t flags = byte();
    return characters(length, (flags & kHighByte) != 0);
}

}  // namespace glossel::xls
