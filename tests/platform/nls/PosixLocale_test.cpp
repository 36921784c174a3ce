// Tests for reading POSIX locale names as ICU locale ids.
#include "platform/nls/PosixLocale.h"

#include <gtest/gtest.h>

namespace glossel::nls {
namespace {

TEST(PosixLocale, DropsCodeSetAndNonScriptModifiers) {
    EXPECT_EQ(icuLocaleFromPosix("de_DE.UTF-8"), "de_DE");
    EXPECT_EQ(icuLocaleFromPosix("ru_RU@euro"), "ru_RU");
    EXPECT_EQ(icuLocaleFromPosix("de_DE.ISO-8859-15@euro"), "de_DE");
    EXPECT_EQ(icuLocaleFromPosix("de"), "de");
    EXPECT_EQ(icuLocaleFromPosix("es_419.UTF-8"), "es_419");
}

TEST(PosixLocale, ScriptModifiersBecomeScriptSubtags) {
    EXPECT_EQ(icuLocaleFromPosix("sr_RS@latin"), "sr_Latn_RS");
    EXPECT_EQ(icuLocaleFromPosix("uz_UZ.UTF-8@cyrillic"), "uz_Cyrl_UZ");
}

TEST(PosixLocale, NormalisesCase) {
    EXPECT_EQ(icuLocaleFromPosix("DE_de.utf8"), "de_DE");
}

TEST(PosixLocale, CAndPosixAndMalformedNamesHaveNoLocale) {
    for (const char* name : {"C", "POSIX", "C.UTF-8", "", "de_", "_DE", "german", "de-DE", "de_DEU",
                             "/usr/share/locale/de"}) {
        EXPECT_EQ(icuLocaleFromPosix(name), std::nullopt) << name;
    }
}

}  // namespace
}  // namespace glossel::nls
