// Small steps over UTF-8 text that the converters share: telling ASCII text, reading one
// character of the BMP, writing one, and taking a text whose characters all lie below U+0100 to
// Latin-1. Inline: they run for every character of every converted text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>

namespace glossel::nls {

// Whether every byte is below 0x80.
inline bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The character of the UTF-8 sequence at utf8[at], moving `at` past it; nullopt for a malformed
// sequence (overlong, a surrogate, cut short) and for characters beyond the BMP.
inline std::optional<char16_t> nextBmpCharacter(std::string_view utf8, std::size_t& at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const auto continuation = [&](std::size_t i) {
        return i < utf8.size() && (byte(i) & 0xC0) == 0x80;
    };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    if (lead >= 0xC2 && lead < 0xE0 && continuation(at + 1)) {
        const auto unit = static_cast<char16_t>((lead & 0x1F) << 6 | (byte(at + 1) & 0x3F));
        at += 2;
        return unit;
    }
    if (lead >= 0xE0 && lead < 0xF0 && continuation(at + 1) && continuation(at + 2)) {
        const auto unit = static_cast<char16_t>((lead & 0x0F) << 12 | (byte(at + 1) & 0x3F) << 6 |
                                                (byte(at + 2) & 0x3F));
        if (unit < 0x800 || (unit >= 0xD800 && unit <= 0xDFFF)) {
            return std::nullopt;
        }
        at += 3;
        return unit;
    }
    return std::nullopt;
}

// How many UTF-16 units well-formed UTF-8 text takes: one per character, two beyond the BMP.
inline std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80 ? 1 : 0;
        units += byte >= 0xF0 ? 1 : 0;
    }
    return units;
}

// Writes the UTF-8 bytes of a BMP character that is no surrogate (1 to 3) at `out`; returns how
// many.
inline std::size_t putUtf8(char16_t unit, char* out) {
    if (unit < 0x80) {
        out[0] = static_cast<char>(unit);
        return 1;
    }
    if (unit < 0x800) {
        out[0] = static_cast<char>(0xC0 | unit >> 6);
        out[1] = static_cast<char>(0x80 | (unit & 0x3F));
        return 2;
    }
    out[0] = static_cast<char>(0xE0 | unit >> 12);
    out[1] = static_cast<char>(0x80 | (unit >> 6 & 0x3F));
    out[2] = static_cast<char>(0x80 | (unit & 0x3F));
    return 3;
}

// Writes the Latin-1 bytes of UTF-8 text whose characters all lie below U+0100 at `out` (room
// for utf8.size() bytes); returns how many, or nullopt for any other text.
inline std::optional<std::size_t> toLatin1(std::string_view utf8, char* out) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out[written++] = static_cast<char>(byte);
            continue;
        }
        if ((byte != 0xC2 && byte != 0xC3) || i + 1 == utf8.size()) {
            return std::nullopt;
        }
        const auto next = static_cast<unsigned char>(utf8[++i]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        out[written++] = static_cast<char>(((byte & 0x03) << 6) | (next & 0x3F));
    }
    return written;
}

}  // namespace glossel::nls
