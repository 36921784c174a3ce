// The conversions between the stored and the readable form of a language text.
#include "transfer/LanguageText.h"

#include <algorithm>
#include <charconv>

#include "platform/nls/AnsiText.h"
#include "platform/nls/CodePageConverters.h"
#include "platform/nls/LocaleInfo.h"
#include "platform/nls/Utf8Text.h"

namespace glossel::transfer {
namespace {

constexpr int kBufferLength = 255;

// Whether both code pages read the text alike without converting it: ASCII.
bool readsAlike(const std::string& text, int machineCodePage, int codePage) {
    return nls::isAscii(text) && nls::keepsAscii(machineCodePage) && nls::keepsAscii(codePage);
}

// The first character of utf8 that codePage cannot hold exactly.
std::string firstUnholdable(const std::string& utf8, int codePage) {
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        if (!nls::nextBmpCharacter(utf8, at)) {
            // Beyond the BMP (or malformed): no ANSI code page holds it.
            std::size_t length = 1;
            while (start + length < utf8.size() &&
                   (static_cast<unsigned char>(utf8[start + length]) & 0xC0) == 0x80) {
                ++length;
            }
            return utf8.substr(start, length);
        }
        const std::string character = utf8.substr(start, at - start);
        if (!nls::encodeAnsiExactly(codePage, character)) {
            return character;
        }
    }
    return {};
}

// The first character of `readable` whose bytes in codePage the machine's code page does not read
// back: the bytes up to it decode into no text that encodes to them again.
std::string firstUnstorable(const std::string& readable, int codePage, int machineCodePage) {
    for (std::size_t at = 0; at < readable.size();) {
        const std::size_t start = at;
        if (!nls::nextBmpCharacter(readable, at)) {
            return readable.substr(start, 1);
        }
        const std::string bytes = nls::encodeAnsi(codePage, readable.substr(0, at));
        const std::string stored = nls::decodeAnsi(machineCodePage, bytes);
        if (nls::encodeAnsiExactly(machineCodePage, stored) != bytes) {
            return readable.substr(start, at - start);
        }
    }
    return {};
}

}  // namespace

int languageCodePage(std::int32_t lcid) {
    std::string buffer;
    const int written =
        nls::GetLocaleInfoA(lcid, nls::kLocaleIDefaultAnsiCodePage, buffer, kBufferLength);
    const std::string_view text =
        std::string_view(buffer).substr(0, static_cast<std::size_t>(std::max(written - 1, 0)));
    int codePage = 0;
    std::from_chars(text.data(), text.data() + text.size(), codePage);
    return codePage;
}

bool isKnownLanguage(std::int32_t lcid) {
    std::string buffer;
    return nls::GetLocaleInfoA(lcid, nls::kLocaleIDefaultAnsiCodePage, buffer, kBufferLength) > 0;
}

std::optional<std::string> exportedText(const std::string& stored, int codePage,
                                        int machineCodePage) {
    if (codePage == 0 || stored.empty() || readsAlike(stored, machineCodePage, codePage)) {
        return stored;
    }
    const std::optional<std::string> bytes = nls::encodeAnsiExactly(machineCodePage, stored);
    if (!bytes) {
        return std::nullopt;
    }
    if (codePage == machineCodePage || nls::codePageConverter(codePage) == nullptr) {
        return stored;
    }
    std::string decoded = nls::decodeAnsi(codePage, *bytes);
    if (decoded.empty() || decoded.find("\uFFFD") != std::string::npos) {
        return stored;
    }
    return decoded;
}

StoredText storedText(const std::string& readable, int codePage, int machineCodePage) {
    if (codePage == 0 || readable.empty() || readsAlike(readable, machineCodePage, codePage)) {
        return {readable, std::nullopt};
    }
    const std::optional<std::string> bytes = nls::encodeAnsiExactly(codePage, readable);
    if (!bytes) {
        return {std::nullopt, UnstorableText{UnstorableText::Reason::NotInLanguageCodePage,
                                             firstUnholdable(readable, codePage)}};
    }
    std::string stored = nls::decodeAnsi(machineCodePage, *bytes);
    if (nls::encodeAnsiExactly(machineCodePage, stored) != bytes) {
        return {std::nullopt, UnstorableText{UnstorableText::Reason::NotInMachineCodePage,
                                             firstUnstorable(readable, codePage, machineCodePage)}};
    }
    return {std::move(stored), std::nullopt};
}

bool equalButForLineBreaks(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    const auto skipCr = [](std::string_view text, std::size_t& at) {
        if (at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n') {
            ++at;
        }
    };
    for (;;) {
        skipCr(a, i);
        skipCr(b, j);
        if (i == a.size() || j == b.size()) {
            return i == a.size() && j == b.size();
        }
        if (a[i++] != b[j++]) {
            return false;
        }
    }
}

}  // namespace glossel::transfer
