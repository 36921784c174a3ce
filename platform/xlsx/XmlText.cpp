// Escaping and unescaping spreadsheet texts.
#include "platform/xlsx/XmlText.h"

#include <cstdint>
#include <optional>

#include "platform/xml/XmlEscape.h"

namespace glossel::xlsx {
namespace {

constexpr std::size_t kEscapeLength = 7;  // _xHHHH_

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

// The unit of the _xHHHH_ pattern at `at`, if one stands there.
std::optional<char16_t> escapeAt(std::string_view text, std::size_t at) {
    if (text.size() - at < kEscapeLength || text[at] != '_' || text[at + 1] != 'x' ||
        text[at + 6] != '_') {
        return std::nullopt;
    }
    unsigned unit = 0;
    for (std::size_t i = 2; i < 6; ++i) {
        const auto digit = hexDigit(text[at + i]);
        if (!digit) {
            return std::nullopt;
        }
        unit = unit * 16 + *digit;
    }
    return static_cast<char16_t>(unit);
}

void appendUnitEscape(std::string& out, unsigned unit) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(unit >> shift) & 0xF];
    }
    out += '_';
}

// The unit written as _xHHHH_ at `at`: what XML 1.0 cannot carry, and CR, which the parser
// would read back as LF.
std::optional<unsigned> unitToEscape(std::string_view text, std::size_t at) {
    if (text[at] == '\r') {
        return 0x0D;
    }
    if (const auto character = xml::uncarriableAt(text, at)) {
        return static_cast<unsigned>(*character);
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out += static_cast<char>(character);
    } else if (character < 0x800) {
        out += static_cast<char>(0xC0 | (character >> 6));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        out += static_cast<char>(0xE0 | (character >> 12));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (character >> 18));
        out += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (character & 0x3F));
    }
}

}  // namespace

// The bytes that may need more than themselves in element content: markup, the start of an
// escape pattern, the controls, and the lead byte of U+FFFE and U+FFFF.
constexpr bool mayNeedEscape(unsigned char byte) {
    return byte == '&' || byte == '<' || byte == '>' || byte == '_' || byte == 0xEF ||
           (byte < 0x20 && byte != '\t' && byte != '\n');
}

void appendEscapedText(std::string& out, std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        std::size_t plain = at;
        while (plain < text.size() && !mayNeedEscape(static_cast<unsigned char>(text[plain]))) {
            ++plain;
        }
        out.append(text, at, plain - at);
        if (plain == text.size()) {
            return;
        }
        at = plain;
        const char c = text[at];
        if (const auto unit = unitToEscape(text, at)) {
            appendUnitEscape(out, *unit);
            at += *unit >= 0xFFFE ? 2 : 0;
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '_' && escapeAt(text, at)) {
            out += "_x005F_";
        } else {
            out += c;
        }
    }
}

std::string decodeEscapes(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto unit = escapeAt(text, at);
        if (!unit) {
            out += text[at++];
            continue;
        }
        at += kEscapeLength;
        char32_t character = *unit;
        if (*unit >= 0xD800 && *unit <= 0xDBFF) {
            const auto low = escapeAt(text, at);
            if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
                character = 0x10000 + ((char32_t{*unit} - 0xD800) << 10) + (*low - 0xDC00);
                at += kEscapeLength;
            } else {
                character = 0xFFFD;
            }
        } else if (*unit >= 0xDC00 && *unit <= 0xDFFF) {
            character = 0xFFFD;
        }
        appendUtf8(out, character);
    }
    return out;
}

}  // namespace glossel::xlsx
