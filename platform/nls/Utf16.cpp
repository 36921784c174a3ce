// UTF-8 ⇄ UTF-16: well-formed text is converted here, everything else is left to ICU.
#include "platform/nls/Utf16.h"

#include <unicode/ustring.h>

#include <cstdint>
#include <cstring>

#include "platform/Error.h"
#include "platform/nls/Utf8Text.h"

namespace glossel::nls {

namespace {

constexpr UChar32 kReplacementCharacter = 0xFFFD;

void checkStatus(UErrorCode status) {
    if (U_FAILURE(status)) {
        throw Error(err::kInvalidArgument,
                    std::string("Unicode-Umwandlung fehlgeschlagen: ") + u_errorName(status));
    }
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes well-formed UTF-8 into `out` (sized to hold it); false at the first malformed
// sequence, which ICU then converts with its replacement rules.
bool decodeWellFormed(std::string_view utf8, std::u16string& out) {
    std::size_t written = 0;
    char16_t* const units = out.data();
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    for (std::size_t i = 0; i < size;) {
        if (i + sizeof(std::uint64_t) <= size) {
            std::uint64_t eight = 0;
            std::memcpy(&eight, bytes + i, sizeof eight);
            if ((eight & 0x8080808080808080) == 0) {
                for (std::size_t k = 0; k < sizeof eight; ++k) {
                    units[written++] = bytes[i + k];
                }
                i += sizeof eight;
                continue;
            }
        }
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            units[written++] = lead;
            ++i;
            continue;
        }
        // Two-byte sequences, U+0080 to U+07FF (Latin, Greek, Cyrillic …), the most common.
        if (lead >= 0xC2 && lead < 0xE0 && i + 1 < size && isContinuation(bytes[i + 1])) {
            units[written++] = static_cast<char16_t>((lead & 0x1F) << 6 | (bytes[i + 1] & 0x3F));
            i += 2;
            continue;
        }
        const std::size_t length = lead >= 0xF8   ? 0
                                   : lead >= 0xF0 ? 4
                                   : lead >= 0xE0 ? 3
                                   : lead >= 0xC0 ? 2
                                                  : 0;
        if (length == 0 || i + length > size) {
            return false;
        }
        char32_t code = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if (!isContinuation(bytes[i + k])) {
                return false;
            }
            code = code << 6 | (bytes[i + k] & 0x3F);
        }
        const char32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        if (code >= 0x10000) {
            units[written++] = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            units[written++] = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            units[written++] = static_cast<char16_t>(code);
        }
        i += length;
    }
    out.resize(written);
    return true;
}

// Encodes well-formed UTF-16 into `out` (sized to hold it); false at the first unpaired
// surrogate, which ICU then replaces.
bool encodeWellFormed(std::u16string_view utf16, std::string& out) {
    std::size_t written = 0;
    char* const bytes = out.data();
    const std::size_t size = utf16.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = utf16[i];
        if (unit < 0xD800 || unit > 0xDFFF) {
            written += putUtf8(unit, bytes + written);
            continue;
        }
        const bool paired =
            unit <= 0xDBFF && i + 1 < size && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF;
        if (!paired) {
            return false;
        }
        const char32_t code = 0x10000 + ((unit - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        bytes[written++] = static_cast<char>(0xF0 | code >> 18);
        bytes[written++] = static_cast<char>(0x80 | (code >> 12 & 0x3F));
        bytes[written++] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        bytes[written++] = static_cast<char>(0x80 | (code & 0x3F));
    }
    out.resize(written);
    return true;
}

}  // namespace

std::u16string toUtf16(std::string_view utf8) {
    std::u16string utf16;
    toUtf16(utf8, utf16);
    return utf16;
}

void toUtf16(std::string_view utf8, std::u16string& out) {
    out.resize(utf8.size());
    if (decodeWellFormed(utf8, out)) {
        return;
    }
    out.resize(utf8.size());
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), kReplacementCharacter, nullptr,
                         &status);
    checkStatus(status);
    out.resize(static_cast<std::size_t>(length));
}

std::string toUtf8(std::u16string_view utf16) {
    std::string utf8(utf16.size() * 3, '\0');
    if (encodeWellFormed(utf16, utf8)) {
        return utf8;
    }
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, utf16.data(),
                       static_cast<int32_t>(utf16.size()), kReplacementCharacter, nullptr, &status);
    checkStatus(status);
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

}  // namespace glossel::nls
