// Decoding of stored Jet text.
#include "platform/jet/TextCodec.h"

#include <algorithm>
#include <cstring>

#include "platform/ByteOrder.h"
#include "platform/nls/AnsiText.h"
#include "platform/nls/Utf16.h"
#include "platform/nls/Utf8Text.h"

namespace glossel::jet {
namespace {

constexpr std::uint8_t kCompressionMarker0 = 0xFF;
constexpr std::uint8_t kCompressionMarker1 = 0xFE;
constexpr std::size_t kShortestCompressed = 3;
constexpr std::size_t kLongestCompressed = 1024;

void appendUtf16Le(std::u16string& units, std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        units.push_back(static_cast<char16_t>(le::get16(bytes, i)));
    }
}

// One-byte characters are U+0001..U+00FF: straight to UTF-8. `wide` = how many are U+0080 or
// above.
std::string latin1ToUtf8(std::span<const std::uint8_t> bytes, std::size_t wide) {
    if (wide == 0) {
        return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    std::string utf8(bytes.size() + wide, '\0');
    char* place = utf8.data();
    for (const std::uint8_t byte : bytes) {
        if (byte < 0x80) {
            *place++ = static_cast<char>(byte);
        } else {
            *place++ = static_cast<char>(0xC0 | byte >> 6);
            *place++ = static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::string decodeCompressed(std::span<const std::uint8_t> bytes) {
    // One pass without branches over the bytes: whether a 00 byte switches runs, and how many
    // characters take two UTF-8 bytes.
    std::size_t wide = 0;
    bool switches = false;
    for (const std::uint8_t byte : bytes) {
        wide += byte >> 7;
        switches |= byte == 0;
    }
    if (!switches) {
        return latin1ToUtf8(bytes, wide);
    }
    std::u16string units;
    bool oneByteRun = true;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != 0) {
            continue;
        }
        const auto run = bytes.subspan(runStart, i - runStart);
        if (oneByteRun) {
            units.insert(units.end(), run.begin(), run.end());
        } else {
            appendUtf16Le(units, run);
        }
        oneByteRun = !oneByteRun;
        runStart = i + 1;
    }
    return nls::toUtf8(units);
}

std::string utf16LeToUtf8(std::span<const std::uint8_t> bytes) {
    // One buffer for all texts: a table read decodes every text of every row.
    thread_local std::u16string units;
    units.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(le::get16(bytes, 2 * i));
    }
    return nls::toUtf8(units);
}

}  // namespace

std::string decodeJetText(std::span<const std::uint8_t> stored, const JetFormat& format,
                          std::uint16_t codePage) {
    if (!format.textIsUnicode()) {
        return nls::decodeAnsi(codePage, std::string(stored.begin(), stored.end()));
    }
    if (stored.size() >= 2 && stored[0] == kCompressionMarker0 &&
        stored[1] == kCompressionMarker1) {
        return decodeCompressed(stored.subspan(2));
    }
    return utf16LeToUtf8(stored);
}

std::vector<std::uint8_t> encodeJet4Text(const std::u16string& text, bool compressible) {
    const bool oneByteEach = std::all_of(text.begin(), text.end(),
                                         [](char16_t c) { return c >= 0x0001 && c <= 0x00FF; });
    std::vector<std::uint8_t> bytes;
    if (compressible && oneByteEach && text.size() >= kShortestCompressed &&
        text.size() <= kLongestCompressed) {
        bytes.resize(text.size() + 2);
        bytes[0] = kCompressionMarker0;
        bytes[1] = kCompressionMarker1;
        std::transform(text.begin(), text.end(), bytes.begin() + 2,
                       [](char16_t c) { return static_cast<std::uint8_t>(c); });
        return bytes;
    }
    bytes.resize(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        le::set16(bytes, 2 * i, text[i]);
    }
    return bytes;
}

std::optional<std::size_t> compressedCharacterCount(std::span<const std::uint8_t> stored) {
    if (stored.size() < 2 || stored[0] != kCompressionMarker0 || stored[1] != kCompressionMarker1) {
        return std::nullopt;
    }
    const std::size_t characters = stored.size() - 2;
    if (characters < kShortestCompressed || characters > kLongestCompressed ||
        std::memchr(stored.data() + 2, 0, characters) != nullptr) {
        return std::nullopt;
    }
    return characters;
}

std::optional<std::vector<std::uint8_t>> encodeCompressedJet4Text(std::string_view utf8) {
    if (utf8.size() < kShortestCompressed || utf8.size() > 2 * kLongestCompressed) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(utf8.size() + 2);
    bytes[0] = kCompressionMarker0;
    bytes[1] = kCompressionMarker1;
    const std::optional<std::size_t> characters =
        nls::toLatin1(utf8, reinterpret_cast<char*>(bytes.data() + 2));
    // A 00 byte would switch runs: U+0000 cannot be compressed.
    if (!characters || *characters < kShortestCompressed || *characters > kLongestCompressed ||
        std::memchr(bytes.data() + 2, 0, *characters) != nullptr) {
        return std::nullopt;
    }
    bytes.resize(*characters + 2);
    return bytes;
}

}  // namespace glossel::jet
