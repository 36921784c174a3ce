// The import's summary in words, for the command line and the windows: a line per language with
// its name, counts in words ("1 leere Zelle", "keine leeren Zellen"), the IDs the project lacks,
// and what happened.
#include <algorithm>

#include "transfer/ImportLanguages.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr std::size_t kListedCells = 10;

// "kein Text", "1 Text", "3 Texte": `none` for 0, else the count before the singular or plural.
std::string counted(std::size_t count, const char* none, const char* one, const char* many) {
    if (count == 0) {
        return none;
    }
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string unknownIdsLine(const ImportSummary& summary) {
    constexpr char kLabel[] = "IDs, die das Projekt nicht hat";
    if (summary.unknownIdCount == 0) {
        return std::string(kLabel) + ": keine\n";
    }
    std::string line = kLabel;
    line += summary.unknownIdCount > summary.firstUnknownIds.size()
                ? " (" + std::to_string(summary.unknownIdCount) + ", übersprungen): "
                : " (übersprungen): ";
    for (std::size_t i = 0; i < summary.firstUnknownIds.size(); ++i) {
        if (i > 0) {
            line += ", ";
        }
        line += std::to_string(summary.firstUnknownIds[i]);
    }
    if (summary.unknownIdCount > summary.firstUnknownIds.size()) {
        line += ", …";
    }
    return line + "\n";
}

// Cells or texts listed by ID and language after `label`, the first ten of them; `many` names
// them in the count of a longer list.
std::string cellsLine(const std::vector<SkippedCell>& cells, const char* label, const char* many) {
    if (cells.empty()) {
        return {};
    }
    std::string line = label;
    for (std::size_t i = 0; i < std::min(cells.size(), kListedCells); ++i) {
        if (i > 0) {
            line += "; ";
        }
        line += "ID ";
        line += std::to_string(cells[i].id);
        line += ", ";
        line += languageListEntry(cells[i].lcid, languageColumnName(cells[i].lcid));
    }
    if (cells.size() > kListedCells) {
        line += "; … (" + std::to_string(cells.size()) + " " + many + ")";
    }
    return line + "\n";
}

}  // namespace

bool ImportSummary::changesProject() const {
    for (const LanguageSummary& language : languages) {
        if (language.newColumn || language.changed > 0) {
            return true;
        }
    }
    return false;
}

std::string describeChanges(const ImportSummary& summary, const ImportOptions& options) {
    std::string text;
    for (const LanguageSummary& language : summary.languages) {
        text += languageListEntry(language.lcid, languageColumnName(language.lcid));
        text += language.newColumn ? ", neue Spalte: " : ": ";
        text += counted(language.changed, "kein Text", "Text", "Texte") + " geändert, ";
        text +=
            (language.unchanged == 0 ? std::string("keiner") : std::to_string(language.unchanged)) +
            " unverändert, ";
        text += summary.fromXliff ? counted(language.emptySkipped, "keine leeren Ziele",
                                            "leeres Ziel", "leere Ziele")
                                  : counted(language.emptySkipped, "keine leeren Zellen",
                                            "leere Zelle", "leere Zellen");
        text += " übersprungen";
        if (language.notTranslated > 0) {
            text += ", " + counted(language.notTranslated, "", "Einheit", "Einheiten") +
                    " noch nicht übersetzt";
        }
        if (options.keepExisting) {
            text += ", " +
                    counted(language.keptExisting, "kein vorhandener Text", "vorhandener Text",
                            "vorhandene Texte") +
                    " beibehalten";
        }
        if (language.formulasWithoutText > 0) {
            text += ", " + counted(language.formulasWithoutText, "", "Formel", "Formeln") +
                    " ohne Textergebnis nicht übernommen";
        }
        text += "\n";
    }
    return text + unknownIdsLine(summary) +
           cellsLine(summary.formulasWithoutText, "Formel ohne Textergebnis, nicht übernommen: ",
                     "Zellen") +
           cellsLine(summary.staleSources,
                     "Ausgangstext im Projekt geändert (übernommen, bitte prüfen): ", "Texte");
}

std::string describeImport(const ImportSummary& summary, const ImportOptions& options) {
    std::string text = describeChanges(summary, options);
    text += !summary.changesProject() ? kNothingToImport
            : options.dryRun          ? "Probelauf: es wurde nichts geschrieben."
            : summary.written         ? "Das Projekt wurde geschrieben; das vorige liegt als .bak "
                                        "daneben."
                                      : kNothingToImport;
    return text + "\n";
}

}  // namespace glossel::transfer
