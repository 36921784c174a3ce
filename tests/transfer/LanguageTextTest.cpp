// The stored and the readable form of language texts: the import's conversion is the exact
// reverse of the export's for every character of every Windows ANSI code page, on a cp1252
// machine and on a machine that shares the language's code page; what cannot be stored is named.
#include <gtest/gtest.h>

#include "platform/nls/AnsiText.h"
#include "tests/transfer/CodePageCharacters.h"
#include "transfer/LanguageText.h"

namespace glossel::transfer::test {
namespace {

constexpr int kWestern = 1252;

TEST(LanguageText, EveryCharacterOfEveryAnsiCodePageComesBackToItsStoredForm) {
    for (const AnsiLanguage& language : ansiLanguages()) {
        ASSERT_EQ(languageCodePage(language.lcid), language.codePage) << language.lcid;
        const std::vector<CodePageCharacter> characters = charactersOf(language.codePage);
        ASSERT_GT(characters.size(), 90u) << language.codePage;
        if (language.codePage == kWestern) {
            // 0x81, 0x8D, 0x8F, 0x90 and 0x9D, which cp1252 leaves undefined, as U+0081 ... too.
            EXPECT_EQ(characters.size(), 0x100u - 0x20u);
        }
        std::string readable;
        std::string bytes;
        for (const CodePageCharacter& character : characters) {
            // The project holds the character's bytes read in the machine's code page.
            const std::string stored = nls::decodeAnsi(kWestern, character.bytes);
            ASSERT_EQ(exportedText(stored, language.codePage, kWestern), character.text)
                << language.codePage << " " << character.text;
            const StoredText back = storedText(character.text, language.codePage, kWestern);
            ASSERT_EQ(back.text, stored) << language.codePage << " " << character.text;
            readable += character.text;
            bytes += character.bytes;
        }
        // Whole texts too: double-byte characters follow each other without a break.
        EXPECT_EQ(storedText(readable, language.codePage, kWestern).text,
                  nls::decodeAnsi(kWestern, bytes))
            << language.codePage;
        // On a machine of the language's own code page the stored form is the text itself.
        EXPECT_EQ(storedText(readable, language.codePage, language.codePage).text, readable);
    }
}

TEST(LanguageText, CharactersWithoutAStoredFormAreNamedNeverReplaced) {
    const StoredText chinese = storedText("Привет 漢", 1251, kWestern);
    ASSERT_TRUE(chinese.refusal);
    EXPECT_EQ(chinese.refusal->reason, UnstorableText::Reason::NotInLanguageCodePage);
    EXPECT_EQ(chinese.refusal->character, "漢");

    // "Ѓ" is cp1251's byte 0x81, which a Japanese machine reads as the first half of a
    // double-byte character that never comes: no stored form gives the byte back.
    const StoredText onJapanese = storedText("Ѓ", 1251, 932);
    ASSERT_TRUE(onJapanese.refusal);
    EXPECT_EQ(onJapanese.refusal->reason, UnstorableText::Reason::NotInMachineCodePage);
}

TEST(LanguageText, LanguagesWithoutCodePageKeepTheirTextsAndLineBreakStylesCompareAlike) {
    EXPECT_TRUE(isKnownLanguage(1081));  // Hindi: no ANSI code page
    EXPECT_EQ(languageCodePage(1081), 0);
    EXPECT_EQ(storedText("हिन्दी", 0, kWestern).text, "हिन्दी");
    EXPECT_EQ(exportedText("हिन्दी", 0, kWestern), "हिन्दी");
    EXPECT_FALSE(isKnownLanguage(0x7F7F));
    EXPECT_TRUE(equalButForLineBreaks("a\r\nb\rc\n", "a\nb\rc\r\n"));
    EXPECT_TRUE(equalButForLineBreaks("", ""));
    EXPECT_FALSE(equalButForLineBreaks("a\r\n", "a\r"));
    EXPECT_FALSE(equalButForLineBreaks("a\nb", "a\n"));
}

}  // namespace
}  // namespace glossel::transfer::test
