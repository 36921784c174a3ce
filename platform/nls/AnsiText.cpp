// Code-page conversion by way of UTF-16: single-byte pages through their tables, the others
// through the cached ICU converters.
#include "platform/nls/AnsiText.h"

#include <unicode/ucnv.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Error.h"
#include "platform/nls/CodePageConverters.h"
#include "platform/nls/Environment.h"
#include "platform/nls/SingleByteCodePage.h"
#include "platform/nls/Utf16.h"
#include "platform/nls/Utf8Text.h"

namespace glossel::nls {

namespace {

int resolvedCodePage(int codePage) {
    return codePage == kCpAcp ? machineAnsiCodePage() : codePage;
}

// The converter of the resolved code page; `codePage` as the caller gave it, for the message.
UConverter* requireConverter(int resolved, int codePage) {
    UConverter* converter = codePageConverter(resolved);
    if (converter == nullptr) {
        throw Error(err::kInvalidArgument,
                    "Die Codepage " + std::to_string(codePage) + " wird nicht unterstützt.");
    }
    return converter;
}

void throwIfFailed(UErrorCode status, int codePage) {
    if (U_FAILURE(status)) {
        throw Error(err::kInvalidArgument, "Umwandlung in oder aus Codepage " +
                                               std::to_string(codePage) +
                                               " fehlgeschlagen: " + u_errorName(status));
    }
}

std::u16string decode(UConverter* converter, const char* bytes, int32_t length, int codePage) {
    // One UTF-16 unit per byte is enough for the Windows code pages and UTF-8; a second pass
    // with the size ICU reports covers anything else.
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t written = ucnv_toUChars(converter, text.data(), static_cast<int32_t>(text.size()),
                                    bytes, length, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        text.resize(static_cast<std::size_t>(written));
        status = U_ZERO_ERROR;
        written = ucnv_toUChars(converter, text.data(), static_cast<int32_t>(text.size()), bytes,
                                length, &status);
    }
    throwIfFailed(status, codePage);
    text.resize(static_cast<std::size_t>(written));
    return text;
}

bool hasSurrogate(std::u16string_view text) {
    return std::ranges::any_of(text,
                               [](char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; });
}

std::string encodeInTable(const SingleByteCodePage& page, std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    std::size_t written = 0;
    for (char16_t unit : text) {
        const std::int16_t byte = page.fromUnicode[unit];
        if (byte != SingleByteCodePage::kNoByte) {
            bytes[written++] = static_cast<char>(byte);
        }
    }
    bytes.resize(written);
    return bytes;
}

std::string decodeInTable(const SingleByteCodePage& page, std::string_view bytes) {
    std::string utf8(bytes.size() * 3, '\0');
    std::size_t written = 0;
    for (char byte : bytes) {
        written += putUtf8(page.toUnicode[static_cast<unsigned char>(byte)], utf8.data() + written);
    }
    utf8.resize(written);
    return utf8;
}

std::optional<std::string> encodeInTableExactly(const SingleByteCodePage& page,
                                                std::string_view utf8) {
    std::string bytes(utf8.size(), '\0');
    std::size_t written = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::optional<char16_t> unit = nextBmpCharacter(utf8, at);
        if (!unit) {
            return std::nullopt;
        }
        const std::int16_t byte = page.fromUnicode[*unit];
        if (byte == SingleByteCodePage::kNoByte ||
            page.toUnicode[static_cast<unsigned char>(byte)] != *unit) {
            return std::nullopt;
        }
        bytes[written++] = static_cast<char>(byte);
    }
    bytes.resize(written);
    return bytes;
}

}  // namespace

std::string encodeAnsi(int codePage, const std::string& utf8) {
    const int resolved = resolvedCodePage(codePage);
    UConverter* converter = requireConverter(resolved, codePage);
    if (isAscii(utf8) && keepsAscii(resolved)) {
        return utf8;
    }
    thread_local std::u16string text;
    toUtf16(utf8, text);
    if (const SingleByteCodePage* page = singleByteCodePage(resolved);
        page && !hasSurrogate(text)) {
        return encodeInTable(*page, text);
    }
    std::string bytes(static_cast<std::size_t>(UCNV_GET_MAX_BYTES_FOR_STRING(
                          text.size(), ucnv_getMaxCharSize(converter))),
                      '\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t written = ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()),
                                      text.data(), static_cast<int32_t>(text.size()), &status);
    throwIfFailed(status, codePage);
    bytes.resize(static_cast<std::size_t>(written));
    return bytes;
}

std::optional<std::string> encodeAnsiExactly(int codePage, const std::string& utf8) {
    const int resolved = resolvedCodePage(codePage);
    requireConverter(resolved, codePage);
    if (isAscii(utf8) && keepsAscii(resolved)) {
        return utf8;
    }
    if (const SingleByteCodePage* page = singleByteCodePage(resolved)) {
        return encodeInTableExactly(*page, utf8);
    }
    std::string bytes = encodeAnsi(codePage, utf8);
    if (decodeAnsi(codePage, bytes) != utf8) {
        return std::nullopt;
    }
    return bytes;
}

std::string decodeAnsi(int codePage, const std::string& bytes) {
    const int resolved = resolvedCodePage(codePage);
    UConverter* converter = requireConverter(resolved, codePage);
    if (isAscii(bytes) && keepsAscii(resolved)) {
        return bytes;
    }
    if (const SingleByteCodePage* page = singleByteCodePage(resolved)) {
        return decodeInTable(*page, bytes);
    }
    return toUtf8(decode(converter, bytes.data(), static_cast<int32_t>(bytes.size()), codePage));
}

std::string toMachineAnsi(const std::string& utf8) {
    return encodeAnsi(kCpAcp, utf8);
}

int MultiByteToWideChar(int codePage, [[maybe_unused]] std::uint32_t flags, const char* bytes,
                        int byteCount, char16_t* out, int outCapacity) {
    if (bytes == nullptr || byteCount == 0 || byteCount < -1 || outCapacity < 0 ||
        (outCapacity > 0 && out == nullptr)) {
        return 0;
    }
    const int resolved = resolvedCodePage(codePage);
    UConverter* converter = codePageConverter(resolved);
    if (converter == nullptr) {
        return 0;
    }
    const auto length = byteCount == -1 ? static_cast<int32_t>(std::strlen(bytes) + 1) : byteCount;
    const std::string_view input(bytes, static_cast<std::size_t>(length));
    if (const SingleByteCodePage* page = singleByteCodePage(resolved)) {
        if (outCapacity == 0) {
            return length;
        }
        if (length > outCapacity) {
            return 0;
        }
        std::ranges::transform(input, out, [page](char byte) {
            return page->toUnicode[static_cast<unsigned char>(byte)];
        });
        return length;
    }
    const std::u16string text = isAscii(input) && keepsAscii(resolved)
                                    ? std::u16string(input.begin(), input.end())
                                    : decode(converter, bytes, length, codePage);
    const auto needed = static_cast<int>(text.size());
    if (outCapacity == 0) {
        return needed;
    }
    if (needed > outCapacity) {
        return 0;
    }
    std::ranges::copy(text, out);
    return needed;
}

}  // namespace glossel::nls
