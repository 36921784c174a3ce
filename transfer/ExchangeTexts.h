// The texts of an exchange file as the import takes them back, from a workbook or a database
// however the program that last wrote it laid it out: the columns `ID` and "L" + LCID found by
// name in the first row (workbook) or the table's fields (database), other columns ignored; from
// an XLIFF document the units of its <file> elements by target language (XliffExchangeTexts.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace glossel::transfer {

// The source text a translation was made from, as an XLIFF unit carries it.
struct TranslatedFrom {
    std::int32_t lcid = 0;
    std::string text;
};

struct ExchangeRow {
    std::int64_t id = 0;
    std::string place;  // where the row is, for messages: "Zeile 7" or "Datensatz 5"
    // One entry per language asked for, in that order; nullopt for an empty cell.
    std::vector<std::optional<std::string>> texts;
    // The languages (as indexes into `texts`) whose cell holds a formula with a stored result
    // that is no text, such as the 0 LibreOffice stores for a text formula in an .xls file:
    // nothing the translator meant, so their texts are nullopt and the import does not take them.
    std::vector<std::size_t> formulasWithoutText;
    // XLIFF only: the languages whose unit is not yet translated (state "new",
    // "needs-translation"…), whose texts are nullopt; and per language the source text of the
    // unit (empty for the other kinds).
    std::vector<std::size_t> notTranslated;
    std::vector<std::optional<TranslatedFrom>> sources;
};

// Whether the exchange file is an XLIFF document (by its extension).
bool isXliffExchange(const std::string& path);

// The language columns of the exchange file (its LCIDs), in the file's column order; of an XLIFF
// document its target languages. Errors: the file's own (not found, no exchange file), 3265
// when it has no column `ID`.
std::vector<std::int32_t> exchangeLanguages(const std::string& path);

// The rows that name an ID, in file order: a row with an empty ID is skipped, and so is the row
// the export writes under a workbook's header (ID 0, every other cell empty). A number cell
// counts as its plain text ("100", "1.5"); a formula counts only with a text result. Errors: 3265
// naming a language the file lacks; 13 naming the row of an ID that is no whole number, and the
// cell of an error or boolean value.
std::vector<ExchangeRow> readExchangeTexts(const std::string& path,
                                           const std::vector<std::int32_t>& lcids);

}  // namespace glossel::transfer
