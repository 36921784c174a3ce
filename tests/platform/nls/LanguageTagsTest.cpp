// Language tags of LCIDs and back: the examples XLIFF files carry, and the round trip of every
// regional LCID that ICU names as its own (ICU also answers unassigned LCIDs with the locale of
// their language, and some locales have two LCIDs, such as gd-GB: 1084 and 1169).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/nls/IcuLocale.h"
#include "platform/nls/LanguageTags.h"

namespace glossel::nls {
namespace {

TEST(LanguageTags, TagsOfLcids) {
    EXPECT_EQ(languageTagOfLcid(1031), "de-DE");
    EXPECT_EQ(languageTagOfLcid(2052), "zh-CN");
    EXPECT_EQ(languageTagOfLcid(1028), "zh-Hant-TW");
    EXPECT_EQ(languageTagOfLcid(1049), "ru-RU");
    EXPECT_EQ(languageTagOfLcid(2074), "sr-Latn-CS");
    EXPECT_EQ(languageTagOfLcid(0), std::nullopt);
    EXPECT_EQ(languageTagOfLcid(1279), std::nullopt);
}

TEST(LanguageTags, LcidsOfTagsWithAndWithoutRegion) {
    EXPECT_EQ(lcidOfLanguageTag("de-DE"), 1031);
    EXPECT_EQ(lcidOfLanguageTag("DE-de"), 1031);
    EXPECT_EQ(lcidOfLanguageTag("de_DE"), std::nullopt);  // an ICU id, no tag
    EXPECT_EQ(lcidOfLanguageTag("ru"), 1049);
    EXPECT_EQ(lcidOfLanguageTag("zh"), 2052);
    EXPECT_EQ(lcidOfLanguageTag("zh-Hans"), 2052);
    EXPECT_EQ(lcidOfLanguageTag("zh-TW"), 1028);
    EXPECT_EQ(lcidOfLanguageTag("fr-CA"), 3084);
    EXPECT_EQ(lcidOfLanguageTag("sr-Latn"), 9242);
    for (const char* none : {"", "und", "x-private", "de-US", "qaa", "de--DE", "en-", "tlh"}) {
        EXPECT_EQ(lcidOfLanguageTag(none), std::nullopt) << none;
    }
}

TEST(LanguageTags, EveryRegionalLcidComesBackFromItsTag) {
    std::vector<std::string> lost;
    int regional = 0;
    for (std::int32_t lcid = 1; lcid <= 0xFFFF; ++lcid) {
        const std::optional<std::string> locale = icuLocaleOfLcid(lcid);
        if (!locale || localePart(*locale, uloc_getCountry).empty() ||
            static_cast<std::int32_t>(uloc_getLCID(locale->c_str())) != lcid) {
            continue;
        }
        ++regional;
        const std::optional<std::string> tag = languageTagOfLcid(lcid);
        if (!tag || lcidOfLanguageTag(*tag) != lcid) {
            lost.push_back(std::to_string(lcid) + " " + *locale + " " + tag.value_or("-") + " -> " +
                           std::to_string(lcidOfLanguageTag(tag.value_or("")).value_or(0)));
        }
    }
    EXPECT_GT(regional, 150);
    EXPECT_EQ(lost, std::vector<std::string>());
}

}  // namespace
}  // namespace glossel::nls
