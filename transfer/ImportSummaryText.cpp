// The import's summary in words, for the command line and the windows: a line per language with
// its name, counts in words ("1 leere Zelle", "keine leeren Zellen"), the IDs the project lacks,
// and what happened.
#include <algorithm>

#include "transfer/ImportLanguages.h"
#include "transfer/MImportLanguage.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {
namespace {

constexpr std::size_t kListedFormulaCells = 10;

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

// The formula cells not taken, the first of them by ID and language.
std::string formulasLine(const ImportSummary& summary) {
    const std::vector<SkippedCell>& cells = summary.formulasWithoutText;
    if (cells.empty()) {
        return {};
    }
    std::string line = "Formel ohne Textergebnis, nicht übernommen: ";
    for (std::size_t i = 0; i < std::min(cells.size(), kListedFormulaCells); ++i) {
        if (i > 0) {
            line += "; ";
        }
        line += "ID ";
        line += std::to_string(cells[i].id);
        line += ", ";
        line += languageListEntry(cells[i].lcid, languageColumnName(cells[i].lcid));
    }
    if (cells.size() > kListedFormulaCells) {
        line += "; … (" + std::to_string(cells.size()) + " Zellen)";
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
        text +=
            counted(language.emptySkipped, "keine leeren Zellen", "leere Zelle", "leere Zellen") +
            " übersprungen";
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
    return text + unknownIdsLine(summary) + formulasLine(summary);
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
