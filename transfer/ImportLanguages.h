// The import of translated texts: the way back from an exchange file into the project's
// TidxTexts, by ID, for the languages named. Headless: the command line and the windows call it
// and show the summary it returns.
#pragma once

#include <cstdint>
#include <memory>
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
    std::size_t notTranslated = 0;        // XLIFF units not yet translated
    std::size_t staleSources = 0;         // XLIFF units whose source the project has changed
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
    // Texts taken from XLIFF units whose source text is no longer the project's: the
    // translation may be stale. In the project's order.
    std::vector<SkippedCell> staleSources;
    bool fromXliff = false;  // the texts came from units, not from cells
    bool written = false;    // whether the project was replaced

    // Whether importing changes the project: a text changes or a column is appended.
    bool changesProject() const;
};

inline constexpr std::size_t kListedUnknownIds = 10;

// An import read, compared and checked, not yet written: its summary is what a review shows,
// and write() writes exactly that. Other imports of the project are refused until it goes.
class PreparedImport {
public:
    struct State;
    explicit PreparedImport(std::unique_ptr<State> state);
    PreparedImport(PreparedImport&&) noexcept;
    PreparedImport& operator=(PreparedImport&&) noexcept;
    ~PreparedImport();

    const ImportSummary& summary() const;

    // Replaces the project by a changed copy, the previous one kept as "<name>.tvs.bak"; writes
    // nothing when no text changes. Error 3197 when the project file was changed or replaced
    // since it was read (nothing is written then), and the errors of the checks before. Once only.
    const ImportSummary& write();

private:
    std::unique_ptr<State> state_;
};

// Reads the languages `lcids` of the exchange file (.xls, .xlsx or .mdb) and the project and
// plans the import; when it would change the project, also checks that the project can be
// written (see ProjectWriteChecks.h). Writes nothing. Errors as glossel::Error ("number:
// description").
PreparedImport prepareImport(const std::string& projectPath, const std::string& exchangePath,
                             const std::vector<std::int32_t>& lcids, const ImportOptions& options);

// prepareImport and, unless it is a dry run, write(): on any error nothing is written, and
// neither is anything in a dry run or when no text changes.
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
