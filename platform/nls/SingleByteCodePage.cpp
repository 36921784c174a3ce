// The single-byte code-page tables, taken from the ICU converter in one conversion each way. A
// page only gets tables when ICU turns every byte into one UTF-16 unit and every BMP code point
// into one byte; otherwise it stays with the converter.
#include "platform/nls/SingleByteCodePage.h"

#include <unicode/ucnv.h>

#include <map>
#include <optional>

#include "platform/nls/CodePageConverters.h"

namespace glossel::nls {

namespace {

constexpr char16_t kFirstSurrogate = 0xD800;
constexpr char16_t kLastSurrogate = 0xDFFF;
constexpr std::size_t kBmpSize = 0x10000;

bool isSurrogate(char32_t code) {
    return code >= kFirstSurrogate && code <= kLastSurrogate;
}

// True when every output unit came from the input unit at the same position.
bool oneToOne(const std::vector<int32_t>& offsets, std::size_t written, std::size_t expected) {
    if (written != expected) {
        return false;
    }
    for (std::size_t i = 0; i < written; ++i) {
        if (offsets[i] != static_cast<int32_t>(i)) {
            return false;
        }
    }
    return true;
}

bool fillToUnicode(UConverter* converter, SingleByteCodePage& page) {
    char bytes[256];
    for (int b = 0; b < 256; ++b) {
        bytes[b] = static_cast<char>(b);
    }
    std::array<UChar, 512> units{};
    std::vector<int32_t> offsets(units.size());
    UChar* target = units.data();
    const char* source = bytes;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    ucnv_toUnicode(converter, &target, units.data() + units.size(), &source, bytes + sizeof bytes,
                   offsets.data(), true, &status);
    ucnv_resetToUnicode(converter);
    const auto written = static_cast<std::size_t>(target - units.data());
    if (U_FAILURE(status) || !oneToOne(offsets, written, sizeof bytes)) {
        return false;
    }
    for (std::size_t b = 0; b < sizeof bytes; ++b) {
        if (isSurrogate(units[b])) {
            return false;
        }
        page.toUnicode[b] = units[b];
    }
    return true;
}

bool fillFromUnicode(UConverter* converter, SingleByteCodePage& page) {
    std::vector<UChar> codePoints;
    codePoints.reserve(kBmpSize);
    for (char32_t code = 0; code < kBmpSize; ++code) {
        if (!isSurrogate(code)) {
            codePoints.push_back(static_cast<UChar>(code));
        }
    }
    std::vector<char> bytes(codePoints.size() * 2);
    std::vector<int32_t> offsets(bytes.size());
    char* target = bytes.data();
    const UChar* source = codePoints.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(converter);
    ucnv_fromUnicode(converter, &target, bytes.data() + bytes.size(), &source,
                     codePoints.data() + codePoints.size(), offsets.data(), true, &status);
    ucnv_resetFromUnicode(converter);
    const auto written = static_cast<std::size_t>(target - bytes.data());
    if (U_FAILURE(status)) {
        return false;
    }
    page.fromUnicode.assign(kBmpSize, SingleByteCodePage::kNoByte);
    int32_t previousSource = -1;
    for (std::size_t i = 0; i < written; ++i) {
        if (offsets[i] <= previousSource) {
            return false;
        }
        previousSource = offsets[i];
        page.fromUnicode[codePoints[static_cast<std::size_t>(offsets[i])]] =
            static_cast<unsigned char>(bytes[i]);
    }
    return true;
}

std::optional<SingleByteCodePage> buildTables(int codePage) {
    UConverter* converter = codePageConverter(codePage);
    if (converter == nullptr || ucnv_getMaxCharSize(converter) != 1) {
        return std::nullopt;
    }
    SingleByteCodePage page;
    if (!fillToUnicode(converter, page) || !fillFromUnicode(converter, page)) {
        return std::nullopt;
    }
    return page;
}

}  // namespace

const SingleByteCodePage* singleByteCodePage(int codePage) {
    thread_local std::map<int, std::optional<SingleByteCodePage>> pages;
    auto found = pages.find(codePage);
    if (found == pages.end()) {
        found = pages.emplace(codePage, buildTables(codePage)).first;
    }
    return found->second ? &*found->second : nullptr;
}

}  // namespace glossel::nls
