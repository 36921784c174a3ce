// Tests for the table of default ANSI code pages.
#include "platform/nls/DefaultAnsiCodePage.h"

#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <cstring>

namespace glossel::nls {
namespace {

void expectCodePages(std::initializer_list<std::pair<std::int32_t, int>> cases) {
    for (const auto& [lcid, codePage] : cases) {
        EXPECT_EQ(defaultAnsiCodePage(lcid), codePage) << "LCID " << lcid;
    }
}

TEST(DefaultAnsiCodePage, ChineseDependsOnRegion) {
    expectCodePages({{2052, 936}, {4100, 936}, {0x0004, 936}, {1028, 950}, {3076, 950},
                     {5124, 950}, {0x7C04, 950}});
}

TEST(DefaultAnsiCodePage, SerbianBosnianAzeriUzbekDependOnScript) {
    expectCodePages({{2074, 1250}, {3098, 1251}, {9242, 1250}, {10266, 1251}, {5146, 1250},
                     {8218, 1251}, {1050, 1250}, {1068, 1254}, {2092, 1251}, {1091, 1254},
                     {2115, 1251}});
}

TEST(DefaultAnsiCodePage, UnicodeOnlyLocalesReportZero) {
    expectCodePages({{1081, 0}, {1079, 0}, {1067, 0}, {1093, 0}, {1097, 0}, {1114, 0},
                     {1125, 0}, {1107, 0}, {2128, 0}, {1117, 0}});
}

TEST(DefaultAnsiCodePage, OneLocalePerCodePage) {
    expectCodePages({{1045, 1250}, {1049, 1251}, {1031, 1252}, {1032, 1253}, {1055, 1254},
                     {1037, 1255}, {1025, 1256}, {1063, 1257}, {1066, 1258}, {1054, 874},
                     {1041, 932}, {1042, 949}, {1087, 1251}, {1104, 1251}, {1056, 1256}});
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
