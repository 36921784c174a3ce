// Tests that the table-driven single-byte code pages convert exactly as the ICU converters do.
#include "platform/nls/SingleByteCodePage.h"

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <memory>
#include <string>

#include "platform/nls/AnsiText.h"
#include "platform/nls/Utf16.h"

namespace glossel::nls {
namespace {

constexpr int kSingleBytePages[] = {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258};

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// A converter of its own, set up as the program's: "?" for missing characters.
std::unique_ptr<UConverter, ConverterCloser> icuConverter(int codePage) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> converter(
        ucnv_open(("windows-" + std::to_string(codePage)).c_str(), &status));
    ucnv_setSubstChars(converter.get(), "?", 1, &status);
    EXPECT_TRUE(U_SUCCESS(status)) << codePage;
    return converter;
}

std::string icuEncode(UConverter* converter, std::u16string_view text) {
    std::string bytes(text.size() * 4 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()), text.data(),
                        static_cast<int32_t>(text.size()), &status);
    bytes.resize(U_SUCCESS(status) ? static_cast<std::size_t>(written) : 0);
    return bytes;
}

std::u16string icuDecode(UConverter* converter, const std::string& bytes) {
    std::u16string text(bytes.size() * 2 + 2, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_toUChars(converter, text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
    text.resize(U_SUCCESS(status) ? static_cast<std::size_t>(written) : 0);
    return text;
}

TEST(SingleByteCodePage, TheWindowsSingleBytePagesHaveTablesTheOthersNot) {
    for (int codePage : kSingleBytePages) {
        EXPECT_NE(singleByteCodePage(codePage), nullptr) << codePage;
    }
    for (int codePage : {932, 936, 949, 950, 65001, 437}) {
        EXPECT_EQ(singleByteCodePage(codePage), nullptr) << codePage;
    }
}

TEST(SingleByteCodePage, EveryByteDecodesAsIcuDecodesIt) {
    for (int codePage : kSingleBytePages) {
        const auto converter = icuConverter(codePage);
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const std::u16string expected = icuDecode(converter.get(), byte);
            EXPECT_EQ(decodeAnsi(codePage, byte), toUtf8(expected)) << codePage << " " << b;
            char16_t unit = 0;
            EXPECT_EQ(MultiByteToWideChar(codePage, 0, byte.data(), 1, &unit, 1), 1);
            EXPECT_EQ(std::u16string(1, unit), expected) << codePage << " " << b;
        }
    }
}

TEST(SingleByteCodePage, EveryBmpCodePointEncodesAsIcuEncodesIt) {
    for (int codePage : kSingleBytePages) {
        const auto converter = icuConverter(codePage);
        int mismatches = 0;
        for (char32_t code = 0x80; code < 0x10000; ++code) {
            if (code >= 0xD800 && code <= 0xDFFF) {
                continue;
            }
            const std::u16string text(1, static_cast<char16_t>(code));
            if (encodeAnsi(codePage, toUtf8(text)) != icuEncode(converter.get(), text)) {
                ADD_FAILURE() << codePage << " U+" << std::hex << static_cast<int>(code);
                if (++mismatches == 10) {
                    break;
                }
            }
        }
    }
}

TEST(SingleByteCodePage, MixedTextsWithIgnorablesAndSupplementaryCharactersEncodeAsIcu) {
    const std::u16string texts[] = {
        u"Stra\u00DFe\u00AD\u034F\u200B \u20AC \u0416\u0436 \u05D0 \u0E01",
        u"Emoji \U0001F600 und Tag \U000E0041 am Ende",
        u"Ti\u1EBFng Vi\u1EC7t \uFFFD \uFEFF",
    };
    for (int codePage : kSingleBytePages) {
        const auto converter = icuConverter(codePage);
        for (const std::u16string& text : texts) {
            EXPECT_EQ(encodeAnsi(codePage, toUtf8(text)), icuEncode(converter.get(), text))
                << codePage;
        }
    }
}

}  // namespace
}  // namespace glossel::nls
