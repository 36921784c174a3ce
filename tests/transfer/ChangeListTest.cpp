// The review's list of changes: sorted in the order people read (case and accents as the
// language lists sort them, ties by ID), narrowed by language and by a search that does not
// regard case, both at once and in any order.
#include <gtest/gtest.h>

#include "transfer/ChangeList.h"

namespace glossel::transfer {
namespace {

std::vector<std::int64_t> shownIds(const ChangeList& list) {
    std::vector<std::int64_t> ids;
    for (std::size_t row = 0; row < list.size(); ++row) {
        ids.push_back(list.at(row).id);
    }
    return ids;
}

const std::vector<TextChange> kChanges = {
    {30, 1031, std::string("Zähler"), std::string("Straße frei")},
    {10, 1031, std::string("ärger"), std::string("Band B")},
    {20, 1049, std::nullopt, std::string("bande a")},
    {10, 1049, std::string("Alpha"), std::string("Moteur 12")},
    {40, 1031, std::string("Ende"), std::nullopt},
};

TEST(ChangeList, SortsByEachColumnTiesByIdThenLanguage) {
    ChangeList list(kChanges);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{30, 10, 20, 10, 40}));
    list.sortBy(ChangeList::Column::Id, false);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{10, 10, 20, 30, 40}));
    EXPECT_EQ(list.at(0).lcid, 1031);  // German before Russian, in English as in German
    list.sortBy(ChangeList::Column::Id, true);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{40, 30, 20, 10, 10}));
    EXPECT_EQ(list.at(3).lcid, 1049);

    list.sortBy(ChangeList::Column::Language, false);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{10, 30, 40, 10, 20}));
    // No text first; "ärger" beside "Alpha", not after "Zähler"; case not regarded.
    list.sortBy(ChangeList::Column::ProjectText, false);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{20, 10, 10, 40, 30}));
    EXPECT_EQ(list.at(1).lcid, 1049);
    list.sortBy(ChangeList::Column::FileText, false);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{40, 10, 20, 10, 30}));
}

TEST(ChangeList, NarrowsByLanguageAndSearchTogether) {
    ChangeList list(kChanges);
    list.sortBy(ChangeList::Column::Id, false);
    list.narrowTo(1049, "");
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{10, 20}));
    EXPECT_EQ(list.total(), 5u);
    list.narrowTo(0, "BAND");
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{10, 20}));
    EXPECT_EQ(list.at(0).lcid, 1031);
    list.narrowTo(1031, "BAND");
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{10}));
    // Case folding makes "ß" and "ss" alike; an ID is found by its digits.
    list.narrowTo(0, "STRASSE");
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{30}));
    list.narrowTo(0, "40");
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{40}));
    list.narrowTo(0, "12");
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{10}));
    // A sort keeps what is narrowed to.
    list.narrowTo(1031, "");
    list.sortBy(ChangeList::Column::Id, true);
    EXPECT_EQ(shownIds(list), (std::vector<std::int64_t>{40, 30, 10}));
    list.narrowTo(0, "nirgends");
    EXPECT_EQ(list.size(), 0u);
    EXPECT_NE(list.languageName(1049).find(" [1049]"), std::string::npos);
}

}  // namespace
}  // namespace glossel::transfer
