// The per-thread cache of code-page converters and the ICU names of the Windows code pages.
#include "platform/nls/CodePageConverters.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>

#include "platform/Error.h"

namespace glossel::nls {

namespace {

// ICU's names for the Windows tables. The IBM tables behind cp874, cp949 and cp950 and the
// ambiguous Shift_JIS/cp932 differ from Windows in places.
const char* icuConverterName(int codePage) {
    switch (codePage) {
        case 874:
            return "windows-874";
        case 932:
            return "windows-31j";
        case 936:
            return "windows-936";
        case 949:
            return "windows-949";
        case 950:
            return "windows-950";
        case 1250:
            return "windows-1250";
        case 1251:
            return "windows-1251";
        case 1252:
            return "windows-1252";
        case 1253:
            return "windows-1253";
        case 1254:
            return "windows-1254";
        case 1255:
            return "windows-1255";
        case 1256:
            return "windows-1256";
        case 1257:
            return "windows-1257";
        case 1258:
            return "windows-1258";
        case kCodePageUtf8:
            return "UTF-8";
        default:
            return nullptr;
    }
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(int codePage, const char* name) {
    // windows-125x are aliases of several tables and report U_AMBIGUOUS_ALIAS_WARNING.
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr converter(ucnv_open(name, &status));
    if (U_SUCCESS(status)) {
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
    }
    if (U_FAILURE(status)) {
        throw Error(err::kInvalidArgument, "Der Zeichensatz der Codepage " +
                                               std::to_string(codePage) +
                                               " lässt sich nicht laden: " + u_errorName(status));
    }
    return converter;
}

struct CachedConverter {
    ConverterPtr converter;
    bool keepsAscii = false;
};

bool mapsAsciiToItself(UConverter* converter) {
    char bytes[0x80];
    UChar expected[0x80];
    for (int i = 0; i < 0x80; ++i) {
        bytes[i] = static_cast<char>(i);
        expected[i] = static_cast<UChar>(i);
    }
    UChar decoded[0x80];
    char encoded[0x100];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t decodedLength = ucnv_toUChars(converter, decoded, 0x80, bytes, 0x80, &status);
    const int32_t encodedLength =
        ucnv_fromUChars(converter, encoded, sizeof encoded, expected, 0x80, &status);
    return U_SUCCESS(status) && decodedLength == 0x80 && encodedLength == 0x80 &&
           std::equal(decoded, decoded + 0x80, expected) &&
           std::equal(encoded, encoded + 0x80, bytes);
}

const CachedConverter* cachedConverter(int codePage) {
    thread_local std::map<int, CachedConverter> converters;
    const char* name = icuConverterName(codePage);
    if (name == nullptr) {
        return nullptr;
    }
    auto& cached = converters[codePage];
    if (!cached.converter) {
        cached.converter = openConverter(codePage, name);
        cached.keepsAscii = mapsAsciiToItself(cached.converter.get());
    }
    return &cached;
}

}  // namespace

bool isSupportedCodePage(int codePage) {
    return icuConverterName(codePage) != nullptr;
}

UConverter* codePageConverter(int codePage) {
    const CachedConverter* cached = cachedConverter(codePage);
    return cached ? cached->converter.get() : nullptr;
}

bool keepsAscii(int codePage) {
    const CachedConverter* cached = cachedConverter(codePage);
    return cached && cached->keepsAscii;
}

}  // namespace glossel::nls
