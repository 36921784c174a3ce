// The import's summary in words: counts of one, of none and of many read as German does; a new
// column and the options taken are named; the last line says what happened, and an import that
// changes nothing says so instead of claiming a dry run or a write.
#include <gtest/gtest.h>

#include "transfer/ImportLanguages.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

// The language's entry, then `rest`.
std::string line(std::int32_t lcid, const char* rest) {
    std::string text = languageListEntry(lcid, languageColumnName(lcid));
    text += rest;
    return text;
}

TEST(ImportSummaryText, CountsInWordsAndWhatHappened) {
    ImportSummary summary;
    summary.languages = {
        {1031, false, 1, 0, 3, 1}, {1040, true, 0, 2, 1, 0}, {1049, false, 2500, 1, 0, 7}};
    summary.unknownIdCount = 2;
    summary.firstUnknownIds = {9999, 10000};
    ImportOptions dryRun;
    dryRun.dryRun = true;
    dryRun.keepExisting = true;
    std::string expected = line(1031,
                                ": 1 Text geändert, keiner unverändert, 3 leere Zellen "
                                "übersprungen, 1 vorhandener Text beibehalten\n");
    expected += line(1040,
                     ", neue Spalte: kein Text geändert, 2 unverändert, 1 leere Zelle "
                     "übersprungen, kein vorhandener Text beibehalten\n");
    expected += line(1049,
                     ": 2500 Texte geändert, 1 unverändert, keine leeren Zellen übersprungen, "
                     "7 vorhandene Texte beibehalten\n"
                     "IDs, die das Projekt nicht hat (übersprungen): 9999, 10000\n"
                     "Probelauf: es wurde nichts geschrieben.\n");
    EXPECT_EQ(describeImport(summary, dryRun), expected);

    summary.written = true;
    EXPECT_TRUE(
        describeImport(summary, {})
            .ends_with("Das Projekt wurde geschrieben; das vorige liegt als .bak daneben.\n"));
    EXPECT_EQ(describeImport(summary, {}).find("beibehalten"), std::string::npos);
    EXPECT_EQ(describeChanges(summary, dryRun).find("Probelauf"), std::string::npos);

    // A new column alone changes the project; without it and without changed texts, nothing does.
    summary.languages = {{1040, true, 0, 2, 0, 0}};
    EXPECT_TRUE(summary.changesProject());
    summary.languages = {{1031, false, 0, 5, 0, 0}};
    summary.unknownIdCount = 0;
    summary.firstUnknownIds.clear();
    summary.written = false;
    EXPECT_FALSE(summary.changesProject());
    EXPECT_EQ(describeImport(summary, dryRun),
              line(1031,
                   ": kein Text geändert, 5 unverändert, keine leeren Zellen übersprungen, "
                   "kein vorhandener Text beibehalten\n"
                   "IDs, die das Projekt nicht hat: keine\n"
                   "Keine Änderungen: das Projekt bleibt unverändert.\n"));
}

}  // namespace
}  // namespace glossel::transfer
