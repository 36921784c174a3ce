// Giving up unused texts of the shared strings: the kept texts stay as they were wherever they
// moved, the given-up ones are no longer found, and the table goes on taking new texts; interning
// with a tried entry finds what interning alone finds.
#include "platform/spreadsheet/StringTable.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace glossel::spreadsheet {
namespace {

struct Filled {
    StringTable table;
    std::vector<std::string> texts;
    std::vector<bool> used;
};

// Texts of every kind: short and long ones (beyond a text block), empty ones, duplicates read
// from a file and formatted ones; every third one unused.
Filled filledTable() {
    Filled filled;
    for (int i = 0; i < 30000; ++i) {
        std::string text = i % 1000 == 7
                               ? std::string((1 << 20) + i, static_cast<char>('a' + i % 26))
                           : i % 500 == 3 ? std::string()
                           : i % 400 == 5 ? std::string("doppelt")
                                          : "Text Nummer " + std::to_string(i) + " Größe";
        if (i % 300 == 11) {
            filled.table.add(text, {{0, 0, 1, 0}, {}});
        } else if (i % 2 == 0) {
            filled.table.add(text, {});
        } else {
            if (filled.table.intern(text) != filled.texts.size()) {
                continue;
            }
        }
        filled.texts.push_back(text);
        filled.used.push_back(i % 3 != 0);
    }
    return filled;
}

TEST(StringTableKeepOnly, KeptTextsStayAndTheOthersAreGivenUp) {
    Filled filled = filledTable();
    filled.table.keepOnly(filled.used);
    ASSERT_EQ(filled.table.size(), filled.texts.size());
    for (std::uint32_t i = 0; i < filled.texts.size(); ++i) {
        EXPECT_EQ(filled.table.text(i), filled.used[i] ? filled.texts[i] : "") << i;
        if (!filled.used[i]) {
            EXPECT_EQ(filled.table.formatting(i), nullptr) << i;
        }
    }
}

TEST(StringTableKeepOnly, InternFindsTheFirstKeptPlainEntryAndAppendsAfterTheKeptOnes) {
    Filled filled = filledTable();
    filled.table.keepOnly(filled.used);
    std::map<std::string, std::uint32_t> firstKeptPlain;
    for (std::uint32_t i = 0; i < filled.texts.size(); ++i) {
        if (filled.used[i] && filled.table.formatting(i) == nullptr) {
            firstKeptPlain.emplace(filled.texts[i], i);
        }
    }
    for (std::uint32_t i = 0; i < filled.texts.size(); ++i) {
        const std::uint32_t found = filled.table.intern(filled.texts[i]);
        ASSERT_LT(found, filled.table.size());
        EXPECT_EQ(filled.table.text(found), filled.texts[i]) << i;
        const auto kept = firstKeptPlain.find(filled.texts[i]);
        if (kept != firstKeptPlain.end()) {
            EXPECT_EQ(found, kept->second) << i;
        }
    }
    const std::uint32_t added = filled.table.intern("ganz neu");
    EXPECT_EQ(filled.table.text(added), "ganz neu");
    for (std::uint32_t i = 0; i < filled.texts.size(); ++i) {
        ASSERT_EQ(filled.table.text(i), filled.used[i] ? filled.texts[i] : "") << i;
    }
}

TEST(StringTableKeepOnly, AKeptTextBehindAnEqualOneGivenUpIsFoundAgain) {
    StringTable table;
    for (const char* text : {"zweimal", "anders", "zweimal", "zweimal"}) {
        table.add(text, {});
    }
    table.keepOnly({false, true, true, true});
    EXPECT_EQ(table.intern("zweimal"), 2u);
    EXPECT_EQ(table.intern("anders"), 1u);
    EXPECT_EQ(table.size(), 4u);
}

// Whatever entry a cell shows, interning its text with that entry tried first finds what intern
// alone finds: duplicates, formatted entries and given-up ones are not taken.
TEST(StringTableIntern, TriedEntryIsTakenOnlyWhereInternFindsIt) {
    Filled filled = filledTable();
    const auto check = [&](const char* when) {
        for (std::uint32_t i = 0; i < filled.texts.size(); ++i) {
            const std::string shown(filled.table.text(i));
            for (const std::string& text : {shown, filled.texts[i], std::string("doppelt")}) {
                const std::uint32_t found = filled.table.intern(text);
                EXPECT_EQ(filled.table.intern(text, i), found) << when << " entry " << i;
            }
        }
    };
    check("before keepOnly");
    filled.table.keepOnly(filled.used);
    check("after keepOnly");
}

// A shared strings part that begins with an empty entry (found by the fuzzer, under UBSan: the
// text was copied into a block not yet taken).
TEST(StringTableAdd, EmptyTextsBeforeAnyOtherAreKept) {
    StringTable table;
    EXPECT_EQ(table.add("", {}), 0u);
    EXPECT_EQ(table.intern(""), 0u);
    EXPECT_EQ(table.add("Text", {}), 1u);
    EXPECT_EQ(table.text(0), "");
    EXPECT_EQ(table.text(1), "Text");
}

}  // namespace
}  // namespace glossel::spreadsheet
