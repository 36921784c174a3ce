// Tests for the table of default ANSI code pages.
#include "platform/nls/DefaultAnsiCodePage.h"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>

namespace glossel::nls {
namespace {

void expectCodePages(std::initializer_list<std::pair<std::int32_t, int>> cases) {
    for (const auto& [lcid, codePage] : cases) {
        EXPECT_EQ(defaultAnsiCodePage(lcid), codePage) << "LCID " << lcid;
    }
}

TEST(DefaultAnsiCodePage, ChineseDependsOnRegion) {
    expectCodePages({
        {2052, 936},    // China
        {4100, 936},    // Singapore
        {0x0004, 936},  // Simplified
        {1028, 950},    // Taiwan
        {3076, 950},    // Hong Kong SAR
        {5124, 950},    // Macao SAR
        {0x7C04, 950},  // Traditional
    });
}

TEST(DefaultAnsiCodePage, SerbianBosnianAzeriUzbekDependOnScript) {
    expectCodePages({
        {2074, 1250},   // Serbian, Latin
        {3098, 1251},   // Serbian, Cyrillic
        {9242, 1250},   // Serbian, Latin, Serbia
        {10266, 1251},  // Serbian, Cyrillic, Serbia
        {5146, 1250},   // Bosnian, Latin
        {8218, 1251},   // Bosnian, Cyrillic
        {1068, 1254},   // Azerbaijani, Latin
        {2092, 1251},   // Azerbaijani, Cyrillic
        {1091, 1254},   // Uzbek, Latin
        {2115, 1251},   // Uzbek, Cyrillic
    });
}

TEST(DefaultAnsiCodePage, UnicodeOnlyLocalesReportZero) {
    expectCodePages({
        {1081, 0},  // Hindi
        {1079, 0},  // Georgian
        {1067, 0},  // Armenian
        {1093, 0},  // Bangla
        {1097, 0},  // Tamil
        {1125, 0},  // Divehi
        {2128, 0},  // Mongolian in Mongolian script
        {1117, 0},  // Inuktitut in Syllabics
    });
}

TEST(DefaultAnsiCodePage, OneLocalePerCodePage) {
    expectCodePages({
        {1045, 1250},  // Polish
        {1049, 1251},  // Russian
        {1031, 1252},  // German
        {1032, 1253},  // Greek
        {1055, 1254},  // Turkish
        {1037, 1255},  // Hebrew
        {1025, 1256},  // Arabic
        {1063, 1257},  // Lithuanian
        {1066, 1258},  // Vietnamese
        {1054, 874},   // Thai
        {1041, 932},   // Japanese
        {1042, 949},   // Korean
    });
}

TEST(DefaultAnsiCodePage, SortOrderAndUnlistedSublanguagesFollowTheLanguage) {
    // German phone-book sort, Spanish traditional sort, an English id Windows never assigned.
    expectCodePages({{0x10407, 1252}, {1034, 1252}, {0x7C09, 1252}, {0x7C19, 1251}});
}

TEST(DefaultAnsiCodePage, UnknownLanguagesHaveNone) {
    EXPECT_EQ(defaultAnsiCodePage(0), std::nullopt);
    EXPECT_EQ(defaultAnsiCodePage(0x00FF), std::nullopt);
}

TEST(DefaultAnsiCodePage, KnowsEveryLanguageIcuMapsAnLcidFor) {
    for (std::int32_t language = 1; language < 0x400; ++language) {
        char id[ULOC_FULLNAME_CAPACITY];
        UErrorCode status = U_ZERO_ERROR;
        uloc_getLocaleForLCID(static_cast<std::uint32_t>(language), id, sizeof id, &status);
        if (U_SUCCESS(status) && std::strcmp(id, "root") != 0) {
            EXPECT_NE(defaultAnsiCodePage(language), std::nullopt) << id;
        }
    }
}

}  // namespace
}  // namespace glossel::nls
