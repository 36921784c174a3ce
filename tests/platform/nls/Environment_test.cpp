// Tests for the user-interface language and the machine code page from the environment.
#include "platform/nls/Environment.h"

#include <gtest/gtest.h>

#include "platform/Error.h"
#include "tests/platform/nls/ScopedLocaleEnvironment.h"

namespace glossel::nls {
namespace {

using test::ScopedLocaleEnvironment;

TEST(UiLanguage, FollowsLcAllThenLcMessagesThenLang) {
    ScopedLocaleEnvironment environment;
    EXPECT_EQ(uiLanguage(), "en");
    environment.set("LANG", "fr_FR.UTF-8");
    EXPECT_EQ(uiLanguage(), "fr_FR");
    environment.set("LC_MESSAGES", "ru_RU@euro");
    EXPECT_EQ(uiLanguage(), "ru_RU");
    environment.set("LC_ALL", "de_DE.UTF-8");
    EXPECT_EQ(uiLanguage(), "de_DE");
    environment.set("LC_ALL", "");
    EXPECT_EQ(uiLanguage(), "ru_RU");
}

TEST(UiLanguage, CAndPosixMeanEnglishEvenOverLang) {
    ScopedLocaleEnvironment environment;
    environment.set("LANG", "de_DE.UTF-8");
    for (const char* value : {"C", "POSIX", "C.UTF-8"}) {
        environment.set("LC_ALL", value);
        EXPECT_EQ(uiLanguage(), "en") << value;
    }
}

TEST(UiLanguage, IgnoresLcCtype) {
    ScopedLocaleEnvironment environment;
    environment.set("LC_CTYPE", "ja_JP.UTF-8");
    EXPECT_EQ(uiLanguage(), "en");
}

TEST(MachineAnsiCodePage, ComesFromTheCtypeLocale) {
    ScopedLocaleEnvironment environment;
    EXPECT_EQ(machineAnsiCodePage(), 1252);
    environment.set("LANG", "ja_JP.UTF-8");
    EXPECT_EQ(machineAnsiCodePage(), 932);
    environment.set("LC_MESSAGES", "el_GR.UTF-8");
    EXPECT_EQ(machineAnsiCodePage(), 932);
    environment.set("LC_CTYPE", "ru_RU.UTF-8");
    EXPECT_EQ(machineAnsiCodePage(), 1251);
    environment.set("LC_ALL", "zh_TW.UTF-8");
    EXPECT_EQ(machineAnsiCodePage(), 950);
}

TEST(MachineAnsiCodePage, LocalesOfSeveralScriptsUseGlibcsScript) {
    ScopedLocaleEnvironment environment;
    const std::pair<const char*, int> cases[] = {
        {"sr_RS.UTF-8", 1251}, {"sr_RS.UTF-8@latin", 1250},
        {"uz_UZ.UTF-8", 1254}, {"uz_UZ.UTF-8@cyrillic", 1251},
        {"zh_CN.UTF-8", 936},  {"zh_HK.UTF-8", 950},
        {"de", 1252},          {"C.UTF-8", 1252}};
    for (const auto& [locale, codePage] : cases) {
        environment.set("LANG", locale);
        EXPECT_EQ(machineAnsiCodePage(), codePage) << locale;
    }
}

TEST(MachineAnsiCodePage, UnknownAndUnicodeOnlyLocalesFallBackToWestern) {
    ScopedLocaleEnvironment environment;
    for (const char* locale : {"hi_IN.UTF-8", "ka_GE.UTF-8", "eo.UTF-8", "xx_YY", "garbage!"}) {
        environment.set("LANG", locale);
        EXPECT_EQ(machineAnsiCodePage(), 1252) << locale;
    }
}

TEST(MachineAnsiCodePage, TessviaAcpOverridesTheLocale) {
    ScopedLocaleEnvironment environment;
    environment.set("LC_ALL", "de_DE.UTF-8");
    environment.set("TESSVIA_ACP", "1251");
    EXPECT_EQ(machineAnsiCodePage(), 1251);
    environment.set("TESSVIA_ACP", "");
    EXPECT_EQ(machineAnsiCodePage(), 1252);
}

TEST(MachineAnsiCodePage, InvalidTessviaAcpNamesVariableAndValue) {
    ScopedLocaleEnvironment environment;
    for (const char* value : {"abc", "1251x", " 1251", "0", "437", "99999999999"}) {
        environment.set("TESSVIA_ACP", value);
        try {
            machineAnsiCodePage();
            ADD_FAILURE() << "accepted " << value;
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), err::kInvalidArgument);
            EXPECT_NE(error.description().find("TESSVIA_ACP"), std::string::npos);
            EXPECT_NE(error.description().find(std::string("\"") + value + "\""),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace glossel::nls
