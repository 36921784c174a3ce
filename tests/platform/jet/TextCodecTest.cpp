// Compressed Jet 4 text made straight from UTF-8: the same bytes as through UTF-16 wherever that
// compresses, and nothing for any text it would not compress; compressed text decoded with and
// without runs of two-byte characters; stored texts counted as compressed only where encoding
// their text again gives the same bytes.
#include "platform/jet/TextCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/nls/Utf16.h"

namespace glossel::jet {
namespace {

TEST(CompressedText, SameAsThroughUtf16OrLeftToIt) {
    std::string longLatin;
    for (int i = 0; i < 1024; ++i) {
        longLatin += "ä";
    }
    const std::vector<std::string> compressed{
        "abc", "Größe", "ÿ\u0080\u00A0 Maß", std::string(1024, 'a'), longLatin,
    };
    const std::vector<std::string> notCompressed{
        "",        "ab",          "äö",   std::string(1025, 'a'),  longLatin + "a",
        "Жжж",     "Größe Ж",     "€uro", std::string("a\0bc", 4), "\xC3(ab",
        "abc\xC3", "\xC0\x80xyz", "😀ab",
    };
    const auto throughUtf16 = [](const std::string& text) {
        return encodeJet4Text(nls::toUtf16(text), true);
    };
    for (const std::string& text : compressed) {
        const auto direct = encodeCompressedJet4Text(text);
        ASSERT_TRUE(direct.has_value()) << text;
        EXPECT_EQ(*direct, throughUtf16(text)) << text;
        EXPECT_EQ((*direct)[0], 0xFF) << text;
    }
    for (const std::string& text : notCompressed) {
        EXPECT_FALSE(encodeCompressedJet4Text(text).has_value()) << text;
    }
}

TEST(CompressedText, DecodesWithAndWithoutSwitchedRuns) {
    const auto decode = [](std::vector<std::uint8_t> stored) {
        return decodeJetText(stored, jet4Format(), 1252);
    };
    EXPECT_EQ(decode({0xFF, 0xFE, 'a', 'b', 'c'}), "abc");
    EXPECT_EQ(decode({0xFF, 0xFE, 'M', 'a', 0xDF, 0xFF}), "Maßÿ");
    EXPECT_EQ(decode({0xFF, 0xFE, 'a', 0xE4, 0x00, 0x16, 0x04, 0x00, 'c'}), "aäЖc");
    EXPECT_EQ(decode({0xFF, 0xFE}), "");
    for (const std::string& text :
         std::vector<std::string>{"Größe und Maß", "abc", std::string(300, 'z') + "é"}) {
        EXPECT_EQ(decode(encodeJet4Text(nls::toUtf16(text), true)), text);
    }
}

TEST(CompressedText, CountedOnlyWhereEncodingTheTextAgainGivesTheSameBytes) {
    const auto utf16Le = [](const std::u16string& text) { return encodeJet4Text(text, false); };
    std::vector<std::uint8_t> longest{0xFF, 0xFE};
    longest.insert(longest.end(), 1024, 'q');
    std::vector<std::uint8_t> tooLong = longest;
    tooLong.push_back('q');
    const std::vector<std::vector<std::uint8_t>> stored{
        {0xFF, 0xFE, 'a', 'b', 'c'},
        {0xFF, 0xFE, 'M', 'a', 0xDF},
        {0xFF, 0xFE, 'a', 'b'},
        {0xFF, 0xFE},
        {0xFF, 0xFE, 'a', 0xE4, 0x00, 0x16, 0x04, 0x00, 'c'},
        {0xFF, 0xFE, 'a', 'b', 'c', 0x00},
        longest,
        tooLong,
        utf16Le(u"Größe"),
        utf16Le(u"Жжж"),
        utf16Le(u"ab"),
    };
    for (const auto& bytes : stored) {
        const std::string text = decodeJetText(bytes, jet4Format(), 1252);
        const bool alike = encodeJet4Text(nls::toUtf16(text), true) == bytes;
        const auto count = compressedCharacterCount(bytes);
        if (count) {
            EXPECT_TRUE(alike) << text;
            EXPECT_EQ(*count, nls::toUtf16(text).size()) << text;
        }
        EXPECT_EQ(count.has_value(), alike && bytes.size() >= 2 && bytes[0] == 0xFF) << text;
    }
}

}  // namespace
}  // namespace glossel::jet
