// The import of translated texts: the way back from an exchange file into the project's
// TidxTexts, by ID, for the languages named. Headless: the command line and the windows call it
// and show the summary it returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glossel::transfer {

struct ImportOptions {
    bool dryRun = false;        // check and count everything, write nothing
    bool keepExisting = false;  // write only where the project's text is empty or Null
    bool allowEmpty = false;    // an empty cell empties the project's text
    bool listChanges = false;   // fill ImportSummary::changes
};

struct LanguageSummary {
    std::int32_t lcid = 0;
    bool newColumn = false;  // the project had no column for it; it is appended
    std::size_t changed = 0;
    std::size_t unchanged = 0;
    std::size_t emptySkipped = 0;         // empty cells, which keep the project's text
    std::size_t keptExisting = 0;         // texts --keep-existing left as they were
    std::size_t formulasWithoutText = 0;  // formula cells with a result that is no text
};

// One changed text, both sides readable (as the export shows them); Null as nullopt.
struct TextChange {
    std::int64_t id = 0;
    std::int32_t lcid = 0;
    std::optional<std::string> oldText;
    std::optional<std::string> newText;
};

// A cell that is not taken, where it is.
struct SkippedCell {
    std::int64_t id = 0;
    std::int32_t lcid = 0;
};

struct ImportSummary {
    std::vector<LanguageSummary> languages;        // in the order asked for
    std::size_t unknownIdCount = 0;                // IDs of the file the project does not have
    std::vector<std::int64_t> firstUnknownIds;     // the first ten of them, in file order
    std::vector<TextChange> changes;               // with ImportOptions::listChanges
    std::vector<SkippedCell> formulasWithoutText;  // in the project's order
    bool written = false;                          // whether the project was replaced

    // Whether importing changes the project: a text changes or a column is appended.
    bool changesProject() const;
};

inline constexpr std::size_t kListedUnknownIds = 10;

// Takes the languages `lcids` of the exchange file (.xls or .mdb) into the project. Everything
// is checked before anything is written; on any error (glossel::Error, "number: description")
// nothing is written, and neither is anything in a dry run or when no text changes. Otherwise the
// project is replaced in one step by a changed copy, the previous one kept as "<name>.tvs.bak".
ImportSummary ImportLanguages(const std::string& projectPath, const std::string& exchangePath,
                              const std::vector<std::int32_t>& lcids, const ImportOptions& options);

// The languages of the exchange file (the LCIDs of its "L" columns), in the file's column order.
std::vector<std::int32_t> ExchangeFileLanguages(const std::string& exchangePath);

// The summary as the user reads it, one line per language (its name, "[LCID]", the counts in
// words), one for the IDs the project lacks and one for the formula cells not taken.
std::string describeChanges(const ImportSummary& summary, const ImportOptions& options);

// describeChanges and a last line on what happened: kNothingToImport when no text changes,
// else that it was a dry run or that the project was written.
std::string describeImport(const ImportSummary& summary, const ImportOptions& options);

inline constexpr char kNothingToImport[] = "Keine Änderungen: das Projekt bleibt unverändert.";

}  // namespace glossel::transfer
