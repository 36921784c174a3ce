// Tests for the list-box order.
#include "platform/nls/ListCollation.h"

#include <gtest/gtest.h>

#include "tests/platform/nls/ScopedLocaleEnvironment.h"

namespace glossel::nls {
namespace {

using test::ScopedLocaleEnvironment;

TEST(ListCollation, IgnoresCaseButNotAccents) {
    ScopedLocaleEnvironment environment;
    EXPECT_EQ(compareListTexts("Deutsch", "DEUTSCH"), 0);
    EXPECT_LT(compareListTexts("resume", "Résumé"), 0);
    EXPECT_GT(compareListTexts("Résumé", "resume"), 0);
}

TEST(ListCollation, SortsLikeADictionaryNotByCodePoint) {
    ScopedLocaleEnvironment environment;
    EXPECT_LT(compareListTexts("apple", "Banana"), 0);
    EXPECT_LT(compareListTexts("Äpfel", "Birnen"), 0);
    EXPECT_EQ(compareListTexts("", ""), 0);
    EXPECT_LT(compareListTexts("", "a"), 0);
}

TEST(ListCollation, FollowsTheUiLanguageAsItChanges) {
    ScopedLocaleEnvironment environment;
    environment.set("LANG", "de_DE.UTF-8");
    EXPECT_LT(compareListTexts("Öl", "Zucker"), 0);
    environment.set("LANG", "sv_SE.UTF-8");
    EXPECT_GT(compareListTexts("Öl", "Zucker"), 0);  // Swedish sorts Ö after Z
    environment.set("LANG", "de_DE.UTF-8");
    EXPECT_LT(compareListTexts("Öl", "Zucker"), 0);
}

}  // namespace
}  // namespace glossel::nls
