// Line splitting and decoding of ".reg" files in UTF-8 and UTF-16 LE.
#include "platform/systools/RegLines.h"

#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include <algorithm>

#include "platform/Error.h"
#include "platform/systools/RegFileFormat.h"
#include "platform/systools/RegistryErrors.h"

namespace glossel::systools {
namespace {

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& prefix) {
    return bytes.size() >= N && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

std::string utf8Line(std::span<const std::uint8_t> bytes, const std::string& source,
                     std::size_t lineNumber) {
    const auto length = static_cast<std::int32_t>(bytes.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes.data(), i, length, c);
        if (c < 0) {
            throwRegSyntaxError(source, lineNumber,
                                "kein gültiger UTF-8-Text (die Datei muss UTF-8 oder UTF-16 sein)");
        }
    }
    return {bytes.begin(), bytes.end()};
}

std::string utf16Line(std::span<const std::uint8_t> bytes, const std::string& source,
                      std::size_t lineNumber) {
    std::string text;
    const std::size_t units = bytes.size() / 2;
    auto unit = [&](std::size_t i) -> char16_t {
        return static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    };
    for (std::size_t i = 0; i < units; ++i) {
        UChar32 c = unit(i);
        if (U16_IS_LEAD(c) && i + 1 < units && U16_IS_TRAIL(unit(i + 1))) {
            c = U16_GET_SUPPLEMENTARY(c, unit(i + 1));
            ++i;
        } else if (U16_IS_SURROGATE(c)) {
            throwRegSyntaxError(source, lineNumber, "kein gültiger UTF-16-Text");
        }
        char encoded[U8_MAX_LENGTH];
        std::int32_t written = 0;
        U8_APPEND_UNSAFE(encoded, written, c);
        text.append(encoded, static_cast<std::size_t>(written));
    }
    return text;
}

// Splits at LF (one byte, or one UTF-16 unit of `unitSize` bytes); a CR before it belongs to
// the line end.
RegText split(std::span<const std::uint8_t> bytes, std::size_t start, std::size_t unitSize,
              RegEncoding encoding, const std::string& source) {
    RegText text{encoding, {}};
    auto isUnit = [&](std::size_t at, std::uint8_t value) {
        return bytes[at] == value && (unitSize == 1 || bytes[at + 1] == 0);
    };
    std::size_t lineBegin = 0;
    std::size_t contentBegin = start;
    for (std::size_t at = start; contentBegin < bytes.size(); at += unitSize) {
        const bool atEnd = at + unitSize > bytes.size();
        if (!atEnd && !isUnit(at, '\n')) {
            continue;
        }
        RegLine line;
        line.begin = lineBegin;
        std::size_t contentEnd = atEnd ? bytes.size() : at;
        if (!atEnd) {
            line.lineEnd = LineEnd::Lf;
            if (contentEnd >= contentBegin + unitSize && isUnit(contentEnd - unitSize, '\r')) {
                contentEnd -= unitSize;
                line.lineEnd = LineEnd::CrLf;
            }
        }
        line.end = atEnd ? bytes.size() : at + unitSize;
        const std::size_t number = text.lines.size() + 1;
        const auto content = bytes.subspan(contentBegin, contentEnd - contentBegin);
        if (unitSize == 2 && content.size() % 2 != 0) {
            throwRegSyntaxError(source, number, "unvollständiges UTF-16-Zeichen am Dateiende");
        }
        line.text =
            unitSize == 2 ? utf16Line(content, source, number) : utf8Line(content, source, number);
        text.lines.push_back(std::move(line));
        lineBegin = contentBegin = text.lines.back().end;
    }
    return text;
}

void appendUtf16Le(std::vector<std::uint8_t>& out, std::string_view utf8) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto length = static_cast<std::int32_t>(utf8.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) {
            c = 0xFFFD;
        }
        char16_t units[2];
        std::int32_t count = 0;
        U16_APPEND_UNSAFE(units, count, c);
        for (std::int32_t u = 0; u < count; ++u) {
            out.push_back(static_cast<std::uint8_t>(units[u] & 0xFF));
            out.push_back(static_cast<std::uint8_t>(units[u] >> 8));
        }
    }
}

}  // namespace

RegText splitRegLines(std::span<const std::uint8_t> bytes, const std::string& source) {
    if (startsWith(bytes, kUtf16LeByteOrderMark)) {
        return split(bytes, kUtf16LeByteOrderMark.size(), 2, RegEncoding::Utf16Le, source);
    }
    if (startsWith(bytes, kUtf8ByteOrderMark)) {
        return split(bytes, kUtf8ByteOrderMark.size(), 1, RegEncoding::Utf8WithBom, source);
    }
    return split(bytes, 0, 1, RegEncoding::Utf8, source);
}

std::vector<std::uint8_t> encodeRegLine(std::string_view text, LineEnd lineEnd,
                                        RegEncoding encoding) {
    std::string withEnd(text);
    if (lineEnd == LineEnd::CrLf) {
        withEnd += "\r\n";
    } else if (lineEnd == LineEnd::Lf) {
        withEnd += '\n';
    }
    std::vector<std::uint8_t> out;
    if (encoding == RegEncoding::Utf16Le) {
        appendUtf16Le(out, withEnd);
    } else {
        out.assign(withEnd.begin(), withEnd.end());
    }
    return out;
}

void throwRegSyntaxError(const std::string& source, std::size_t line, const std::string& what) {
    throw Error(kRegistryCorrupt, "Die Registrierungsdatei " + source + " ist fehlerhaft: Zeile " +
                                      std::to_string(line) + ": " + what + ".");
}

}  // namespace glossel::systools
