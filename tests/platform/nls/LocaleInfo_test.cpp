// Tests for GetLocaleInfoA: language names, code pages and the Windows buffer conventions.
#include "platform/nls/LocaleInfo.h"

#include <gtest/gtest.h>

#include "tests/platform/nls/ScopedLocaleEnvironment.h"

namespace glossel::nls {
namespace {

using test::ScopedLocaleEnvironment;

std::string languageName(std::int32_t lcid) {
    std::string buffer;
    return GetLocaleInfoA(lcid, kLocaleSLanguageCpAcp, buffer, 256) > 0 ? buffer : "<failed>";
}

TEST(GetLocaleInfoA, NamesLanguagesInTheUiLanguage) {
    ScopedLocaleEnvironment environment;
    environment.set("LANG", "de_DE.UTF-8");
    EXPECT_EQ(languageName(1031), "Deutsch (Deutschland)");
    EXPECT_EQ(languageName(1049), "Russisch (Russland)");
    EXPECT_EQ(languageName(1036), "Französisch (Frankreich)");
    EXPECT_EQ(languageName(2052), "Chinesisch (Vereinfacht, China)");
    EXPECT_EQ(languageName(3098), "Serbisch (Kyrillisch, Serbien)");
    environment.set("LC_MESSAGES", "en_US.UTF-8");
    EXPECT_EQ(languageName(1031), "German (Germany)");
    EXPECT_EQ(languageName(1033), "English (United States)");
    EXPECT_EQ(languageName(1041), "Japanese (Japan)");
}

TEST(GetLocaleInfoA, NamesTheScriptWhereWindowsDoes) {
    ScopedLocaleEnvironment environment;
    EXPECT_EQ(languageName(2052), "Chinese (Simplified, China)");
    EXPECT_EQ(languageName(1028), "Chinese (Traditional, Taiwan)");
    EXPECT_EQ(languageName(2074), "Serbian (Latin, Serbia)");
    EXPECT_EQ(languageName(1104), "Mongolian (Cyrillic, Mongolia)");
    EXPECT_EQ(languageName(1094), "Punjabi (India)");
    EXPECT_EQ(languageName(1034), "Spanish (Spain, Traditional Sort Order)");
}

TEST(GetLocaleInfoA, NamesPassThroughTheMachineCodePage) {
    ScopedLocaleEnvironment environment;
    environment.set("LANG", "ru_RU.UTF-8");
    EXPECT_EQ(languageName(1031), "немецкий (Германия)");
    environment.set("TESSVIA_ACP", "1252");
    const std::string unknown(8, '?');
    EXPECT_EQ(languageName(1031), unknown + " (" + unknown + ")");
}

TEST(GetLocaleInfoA, ReportsTheDefaultAnsiCodePage) {
    std::string buffer;
    EXPECT_EQ(GetLocaleInfoA(1049, kLocaleIDefaultAnsiCodePage, buffer, 6), 5);
    EXPECT_EQ(buffer, "1251");
    EXPECT_EQ(GetLocaleInfoA(1081, kLocaleIDefaultAnsiCodePage, buffer, 6), 2);
    EXPECT_EQ(buffer, "0");
    EXPECT_EQ(GetLocaleInfoA(1054, kLocaleIDefaultAnsiCodePage, buffer, 6), 4);
    EXPECT_EQ(buffer, "874");
}

TEST(GetLocaleInfoA, CountsCharactersNotBytesAndNeedsRoomForTheNul) {
    ScopedLocaleEnvironment environment;
    environment.set("LANG", "de_DE.UTF-8");
    const std::string name = "Französisch (Frankreich)";  // 24 characters, 25 bytes
    std::string buffer = "unchanged";
    EXPECT_EQ(GetLocaleInfoA(1036, kLocaleSLanguageCpAcp, buffer, 0), 25);
    EXPECT_EQ(buffer, "unchanged");
    EXPECT_EQ(GetLocaleInfoA(1036, kLocaleSLanguageCpAcp, buffer, 24), 0);
    EXPECT_EQ(buffer, "unchanged");
    EXPECT_EQ(GetLocaleInfoA(1036, kLocaleSLanguageCpAcp, buffer, 25), 25);
    EXPECT_EQ(buffer, name);
}

TEST(GetLocaleInfoA, FailsForUnknownLcidsAndTypes) {
    std::string buffer;
    EXPECT_EQ(GetLocaleInfoA(0, kLocaleSLanguageCpAcp, buffer, 256), 0);
    EXPECT_EQ(GetLocaleInfoA(0, kLocaleIDefaultAnsiCodePage, buffer, 256), 0);
    EXPECT_EQ(GetLocaleInfoA(0x00FF, kLocaleIDefaultAnsiCodePage, buffer, 256), 0);
    EXPECT_EQ(GetLocaleInfoA(1031, 0x0002, buffer, 256), 0);  // without LOCALE_USE_CP_ACP
    EXPECT_EQ(GetLocaleInfoA(1031, 0x0004, buffer, 256), 0);  // LOCALE_SNATIVELANGNAME
    EXPECT_TRUE(buffer.empty());
}

}  // namespace
}  // namespace glossel::nls
