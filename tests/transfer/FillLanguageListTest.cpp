// Reading a project's languages into the list: entry texts, item data, order, and the failures
// a damaged or foreign project produces. Variants of the demo project are made by renaming
// columns and tables in a copy of the file (same-length names, so the layout stays intact).
#include <gtest/gtest.h>

#include "platform/Error.h"
#include "tests/TestFiles.h"
#include "tests/platform/nls/ScopedLocaleEnvironment.h"
#include "transfer/MImportLanguage.h"
#include "transfer/SortedListBox.h"

namespace glossel::transfer {
namespace {

const std::string kDemo = test::dataPath("jet/Demo.tvs");

std::vector<std::string> texts(const ListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ListCount(); ++i) {
        out.push_back(list.List(i));
    }
    return out;
}

// A copy of the demo project with a column (UTF-16 in the definition) renamed.
std::string demoWithColumnRenamed(const test::TempDir& dir, const std::string& from,
                                  const std::string& to) {
    auto bytes = test::readBytes(kDemo);
    EXPECT_GE(test::replaceAll(bytes, test::utf16Le(from), test::utf16Le(to)), 1);
    const std::string path = dir.path("Variant.tvs");
    test::writeBytes(path, bytes);
    return path;
}

int fillAndCatch(const std::string& path, ListBox& list) {
    try {
        FillLanguageList(path, list);
    } catch (const Error& error) {
        return error.number();
    }
    return 0;
}

class FillLanguageListTest : public ::testing::Test {
protected:
    nls::test::ScopedLocaleEnvironment environment_;
    SortedListBox list_;
};

TEST_F(FillLanguageListTest, EntriesNameTheLanguageAndCarryTheLcid) {
    environment_.set("LANG", "de_DE.UTF-8");
    FillLanguageList(kDemo, list_);
    EXPECT_EQ(texts(list_),
              (std::vector<std::string>{
                  "Deutsch (Deutschland) [1031]", "Englisch (Vereinigte Staaten) [1033]",
                  "Französisch (Frankreich) [1036]", "Russisch (Russland) [1049]"}));
    EXPECT_EQ(list_.ItemData(0), 1031);
    EXPECT_EQ(list_.ItemData(1), 1033);
    EXPECT_EQ(list_.ItemData(2), 1036);
    EXPECT_EQ(list_.ItemData(3), 1049);
    for (int i = 0; i < list_.ListCount(); ++i) {
        EXPECT_FALSE(list_.Selected(i));
    }
}

TEST_F(FillLanguageListTest, NamesFollowTheInterfaceLanguageAndTheOrderWithThem) {
    environment_.set("LC_ALL", "C");
    FillLanguageList(kDemo, list_);
    EXPECT_EQ(texts(list_),
              (std::vector<std::string>{"English (United States) [1033]", "French (France) [1036]",
                                        "German (Germany) [1031]", "Russian (Russia) [1049]"}));
}

TEST_F(FillLanguageListTest, LowerCaseColumnIsNoLanguage) {
    test::TempDir dir;
    FillLanguageList(demoWithColumnRenamed(dir, "L1036", "l1036"), list_);
    ASSERT_EQ(list_.ListCount(), 3);
    for (int i = 0; i < list_.ListCount(); ++i) {
        EXPECT_NE(list_.ItemData(i), 1036);
    }
}

TEST_F(FillLanguageListTest, TableWithoutLanguagesGivesAnEmptyListAndReloadReplacesEntries) {
    FillLanguageList(kDemo, list_);
    list_.SetSelected(0, true);
    FillLanguageList(test::dataPath("jet/ExportMemo.mdb"), list_);
    EXPECT_EQ(list_.ListCount(), 0);
}

TEST_F(FillLanguageListTest, UnknownLcidFailsAndKeepsTheEntriesBefore) {
    test::TempDir dir;
    const std::string path = demoWithColumnRenamed(dir, "L1049", "L9999");
    EXPECT_EQ(fillAndCatch(path, list_), err::kInvalidArgument);
    // Columns come as L1031, L1033, L9999, L1036: the two before the unknown one stay.
    EXPECT_EQ(list_.ListCount(), 2);
}

TEST_F(FillLanguageListTest, ColumnLWithoutNumberIsATypeMismatch) {
    test::TempDir dir;
    EXPECT_EQ(fillAndCatch(demoWithColumnRenamed(dir, "L1033", "Lxxxx"), list_),
              err::kTypeMismatch);
    EXPECT_EQ(fillAndCatch(demoWithColumnRenamed(dir, "L1033", "L    "), list_),
              err::kTypeMismatch);
}

TEST_F(FillLanguageListTest, ProjectWithoutTextTableFailsAfterClearingTheList) {
    test::TempDir dir;
    FillLanguageList(kDemo, list_);
    auto bytes = test::readBytes(kDemo);
    ASSERT_EQ(test::replaceAll(bytes, test::utf16Le("TidxTexts"), test::utf16Le("TidxTextX")), 1);
    test::writeBytes(dir.path("NoTexts.tvs"), bytes);
    EXPECT_EQ(fillAndCatch(dir.path("NoTexts.tvs"), list_), err::kItemNotFound);
    EXPECT_EQ(list_.ListCount(), 0);
}

TEST_F(FillLanguageListTest, MissingProjectFileIsFileNotFound) {
    EXPECT_EQ(fillAndCatch("/no/such\\Project.tvs", list_), err::kFileNotFound);
}

}  // namespace
}  // namespace glossel::transfer
