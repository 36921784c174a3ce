// Escaping for element content and attribute values.
#include "platform/xml/XmlEscape.h"

namespace glossel::xml {
namespace {

// The bytes element content may not hold as they are: markup, CR, the other controls, and the
// lead byte of U+FFFE and U+FFFF.
constexpr bool mayNeedEscape(unsigned char byte) {
    return byte == '&' || byte == '<' || byte == '>' || byte == 0xEF ||
           (byte < 0x20 && byte != '\t' && byte != '\n');
}

}  // namespace

std::optional<char32_t> uncarriableAt(std::string_view text, std::size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') {
        return byte;
    }
    if (byte == 0xEF && text.size() - at >= 3 && static_cast<unsigned char>(text[at + 1]) == 0xBF &&
        (static_cast<unsigned char>(text[at + 2]) & 0xFE) == 0xBE) {
        return 0xFFFE | (static_cast<unsigned char>(text[at + 2]) & 1);
    }
    return std::nullopt;
}

std::size_t findUncarriable(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (uncarriableAt(text, at)) {
            return at;
        }
    }
    return std::string_view::npos;
}

void appendEscapedContent(std::string& out, std::string_view text) {
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
        switch (text[at]) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out += text[at];
        }
    }
}

void appendEscapedAttribute(std::string& out, std::string_view value) {
    for (const char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += "&#9;";
                break;
            case '\n':
                out += "&#10;";
                break;
            case '\r':
                out += "&#13;";
                break;
            default:
                out += c;
        }
    }
}

bool needsPreservedSpace(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (space(text.front()) || space(text.back()));
}

}  // namespace glossel::xml
