// Tests for comparing table and field names without regard to letter case: plain ASCII names and
// names that need Unicode case folding must compare alike.
#include "platform/NameCompare.h"

#include <gtest/gtest.h>

namespace glossel {
namespace {

TEST(NameCompare, AsciiNamesIgnoreLetterCaseOnly) {
    EXPECT_TRUE(sameName("TidxTexts", "TIDXTEXTS"));
    EXPECT_TRUE(sameName("L1031", "l1031"));
    EXPECT_TRUE(sameName("", ""));
    EXPECT_FALSE(sameName("L1031", "L1033"));
    EXPECT_FALSE(sameName("F1", "F1 "));
    EXPECT_FALSE(sameName("[", "{"));
}

TEST(NameCompare, OtherNamesFoldByUnicode) {
    EXPECT_TRUE(sameName("Größe", "GRÖSSE"));
    EXPECT_TRUE(sameName("\u212A", "k")) << "Kelvin sign";
    EXPECT_TRUE(sameName("ПРИВЕТ", "привет"));
    EXPECT_FALSE(sameName("Ä", "A"));
}

}  // namespace
}  // namespace glossel
