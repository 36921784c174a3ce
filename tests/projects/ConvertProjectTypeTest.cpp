// Project type names and codes in both directions, and which texts count as numbers under the
// locale's number format.
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "projects/ProjectTypes.h"
#include "tests/platform/systools/RegistryTestSupport.h"

namespace glossel::projects {
namespace {

using systools::test::ScopedVariable;

Variant text(const char* value) {
    return std::string(value);
}

const Variant kNoCode = std::int32_t{0};

class ConvertProjectTypeTest : public ::testing::Test {
protected:
    void locale(const char* lcAll, const char* lcNumeric = nullptr, const char* lang = nullptr) {
        auto value = [](const char* v) { return v ? std::optional<std::string>(v) : std::nullopt; };
        lcAll_.emplace("LC_ALL", value(lcAll));
        lcNumeric_.emplace("LC_NUMERIC", value(lcNumeric));
        lang_.emplace("LANG", value(lang));
    }

    void SetUp() override { locale("C"); }

    std::optional<ScopedVariable> lcAll_, lcNumeric_, lang_;
};

TEST_F(ConvertProjectTypeTest, NamesGiveCodesExactly) {
    for (const ProjectType& type : kProjectTypes) {
        EXPECT_EQ(ConvertProjectType(std::string(type.name)), Variant(type.code)) << type.name;
    }
    for (const char* other : {"group", " Single", "Single ", "", "Robot"}) {
        EXPECT_EQ(ConvertProjectType(text(other)), kNoCode) << other;
    }
    EXPECT_EQ(ConvertProjectType(Null{}), kNoCode);
}

TEST_F(ConvertProjectTypeTest, NumbersGiveNames) {
    EXPECT_EQ(ConvertProjectType(std::int32_t{32}), text("Group"));
    EXPECT_EQ(ConvertProjectType(std::int32_t{3}), text(""));
    EXPECT_EQ(ConvertProjectType(std::int32_t{65535}), text(""));
    EXPECT_EQ(ConvertProjectType(64.0), text("TessviaX"));
    EXPECT_EQ(ConvertProjectType(true), text(""));  // True is -1
    EXPECT_EQ(ConvertProjectType(Currency{20000}), text("Server"));
    EXPECT_EQ(ConvertProjectType(Decimal{false, 2, {0, 0, 0, 3200}}), text("Group"));
    EXPECT_THROW(ConvertProjectType(DateTime{32}), Error);
}

TEST_F(ConvertProjectTypeTest, NumericTextsGiveNamesNotCodes) {
    for (const char* numeric : {"32", " 32 ", "+32", "32.0", "\t032", "3,2", "32."}) {
        EXPECT_EQ(ConvertProjectType(text(numeric)), text("Group")) << numeric;
    }
    for (const char* numeric : {"-32", "3.2", "99999999999999999999999999"}) {
        EXPECT_EQ(ConvertProjectType(text(numeric)), text("")) << numeric;
    }
    for (const char* other : {"3 2", "32-", "-", ".", ",5", "1e3", "0x20"}) {
        EXPECT_EQ(ConvertProjectType(text(other)), kNoCode) << other;
    }
}

TEST_F(ConvertProjectTypeTest, TheLocaleGivesSeparatorsAndSigns) {
    locale("de_DE.UTF-8");
    EXPECT_EQ(ConvertProjectType(text("32,0")), text("Group"));
    EXPECT_EQ(ConvertProjectType(text("3.2")), text("Group"));  // "." groups digits
    locale("fr_FR.UTF-8");
    EXPECT_EQ(ConvertProjectType(text("1\u202F6,0")), text("Terminal Client"));
    locale(nullptr, "de_CH", "en_US.UTF-8");  // LC_NUMERIC before LANG
    EXPECT_EQ(ConvertProjectType(text("1\u20196")), text("Terminal Client"));
    locale(nullptr, nullptr, "en_US.UTF-8");
    EXPECT_EQ(ConvertProjectType(text("32,0")), text(""));  // 320
}

}  // namespace
}  // namespace glossel::projects
