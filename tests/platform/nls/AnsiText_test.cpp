// Tests for code-page conversion.
#include "platform/nls/AnsiText.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/Error.h"
#include "tests/platform/nls/ScopedLocaleEnvironment.h"

namespace glossel::nls {
namespace {

using test::ScopedLocaleEnvironment;

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(AnsiText, EveryByteOfTheWesternAndCyrillicCodePagesSurvivesTheRoundTrip) {
    ScopedLocaleEnvironment environment;
    for (const char* codePage : {"1252", "1251"}) {
        environment.set("TESSVIA_ACP", codePage);
        const std::string bytes = allBytes();
        EXPECT_EQ(toMachineAnsi(decodeAnsi(kCpAcp, bytes)), bytes) << codePage;
    }
}

TEST(AnsiText, DecodesWindowsMappings) {
    EXPECT_EQ(decodeAnsi(1252, "\x80\x81\x9F"), "\u20AC\u0081\u0178");
    EXPECT_EQ(decodeAnsi(1251, "\xC0\xE1\xB8"), "\u0410\u0431\u0451");
    EXPECT_EQ(decodeAnsi(932, "\x93\xFA\x96\x7B\xB1"), "日本\uFF71");
    EXPECT_EQ(decodeAnsi(65001, "\xC3\xA4"), "ä");
}

TEST(AnsiText, CharactersTheCodePageLacksBecomeQuestionMarks) {
    EXPECT_EQ(encodeAnsi(1252, "Grüße Ω 日本"), "Gr\xFC\xDF\x65 ? ??");
    EXPECT_EQ(encodeAnsi(1251, "Привет Ä"), "\xCF\xF0\xE8\xE2\xE5\xF2 ?");
    EXPECT_EQ(encodeAnsi(936, "中文 Ω"), "\xD6\xD0\xCE\xC4 \xA6\xB8");
}

TEST(AnsiText, ToMachineAnsiUsesTheMachineCodePage) {
    ScopedLocaleEnvironment environment;
    environment.set("LANG", "el_GR.UTF-8");
    EXPECT_EQ(toMachineAnsi("Ωμέγα"), "\xD9\xEC\xDD\xE3\xE1");
    environment.set("LANG", "de_DE.UTF-8");
    EXPECT_EQ(toMachineAnsi("Ωμέγα"), "?????");
}

TEST(AnsiText, UnsupportedCodePagesAreErrors) {
    for (int codePage : {437, 1, 12345}) {
        EXPECT_THROW(encodeAnsi(codePage, "x"), Error) << codePage;
        EXPECT_THROW(encodeAnsiExactly(codePage, "x"), Error) << codePage;
        EXPECT_THROW(decodeAnsi(codePage, "x"), Error) << codePage;
    }
}

// Exact encoding gives the bytes exactly where encoding and decoding again gives the text back:
// best-fit and missing characters, dropped ignorables, characters beyond the BMP, surrogates
// and malformed UTF-8 included.
TEST(AnsiText, ExactEncodingHoldsWhereTheRoundTripDoes) {
    const std::vector<std::string> texts = {"Grüße",
                                            "Привет",
                                            "Ïðèâåò",
                                            "Ωμέγα",
                                            "日本語",
                                            "Ā ā",
                                            "soft\u00ADhyphen",
                                            "zero\u200Bwidth",
                                            "\u20AC 5",
                                            "\U0001F600",
                                            "\xED\xA0\x80",
                                            "\xC3",
                                            "\xC0\xAF",
                                            "\xE0\x80\xAF",
                                            "\xF0\x9F\x98",
                                            "?",
                                            "\u0178\u0081",
                                            "中文 Ω",
                                            "ﾃｽﾄ"};
    for (int codePage :
         {874, 932, 936, 949, 950, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        for (const std::string& text : texts) {
            const std::string bytes = encodeAnsi(codePage, text);
            const std::optional<std::string> expected =
                decodeAnsi(codePage, bytes) == text ? std::optional(bytes) : std::nullopt;
            EXPECT_EQ(encodeAnsiExactly(codePage, text), expected) << codePage << " " << text;
        }
    }
}

TEST(MultiByteToWideChar, ReportsTheSizeNeededWithoutWriting) {
    char16_t out[4] = {u'x', u'x', u'x', u'x'};
    EXPECT_EQ(MultiByteToWideChar(932, 0, "\x93\xFA\x96\x7B", 4, out, 0), 2);
    EXPECT_EQ(out[0], u'x');
}

TEST(MultiByteToWideChar, DecodesIntoTheBuffer) {
    char16_t out[4] = {};
    ASSERT_EQ(MultiByteToWideChar(1251, 0, "\xC0\xE1", 2, out, 4), 2);
    EXPECT_EQ(out[0], u'\u0410');
    EXPECT_EQ(out[1], u'\u0431');
}

TEST(MultiByteToWideChar, MinusOneIncludesTheTerminatingNul) {
    char16_t out[4] = {u'x', u'x', u'x', u'x'};
    ASSERT_EQ(MultiByteToWideChar(1252, 0, "ab", -1, out, 4), 3);
    EXPECT_EQ(std::u16string(out, 3), std::u16string(u"ab\0", 3));
}

TEST(MultiByteToWideChar, CodePageZeroIsTheMachineCodePage) {
    ScopedLocaleEnvironment environment;
    environment.set("TESSVIA_ACP", "1253");
    char16_t out[1] = {};
    ASSERT_EQ(MultiByteToWideChar(0, 0, "\xD9", 1, out, 1), 1);
    EXPECT_EQ(out[0], u'\u03A9');
}

TEST(MultiByteToWideChar, InvalidBytesBecomeReplacementCharacters) {
    char16_t out[2] = {};
    ASSERT_EQ(MultiByteToWideChar(65001, 0, "\xFF", 1, out, 2), 1);
    EXPECT_EQ(out[0], u'\uFFFD');
}

TEST(MultiByteToWideChar, FailsWithZero) {
    char16_t out[1] = {};
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "ab", 2, out, 1), 0);  // buffer too small
    EXPECT_EQ(MultiByteToWideChar(437, 0, "ab", 2, out, 0), 0);   // unknown code page
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "ab", 0, out, 0), 0);  // empty input
    EXPECT_EQ(MultiByteToWideChar(1252, 0, nullptr, 2, out, 0), 0);
}

}  // namespace
}  // namespace glossel::nls
