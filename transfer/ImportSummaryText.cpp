// The import's summary in words, for the command line and the windows.
#include "transfer/ImportLanguages.h"
#include "transfer/TextTables.h"

namespace glossel::transfer {

std::string describeImport(const ImportSummary& summary, const ImportOptions& options) {
    std::string text;
    for (const LanguageSummary& language : summary.languages) {
        text += languageColumnName(language.lcid) + (language.newColumn ? " (neu)" : "") + ": " +
                std::to_string(language.changed) + " geändert, " +
                std::to_string(language.unchanged) + " unverändert, " +
                std::to_string(language.emptySkipped) + " leere Zellen übersprungen";
        if (options.keepExisting) {
            text += ", " + std::to_string(language.keptExisting) + " vorhandene beibehalten";
        }
        text += "\n";
    }
    text +=
        "IDs, die das Projekt nicht hat (übersprungen): " + std::to_string(summary.unknownIdCount);
    for (std::size_t i = 0; i < summary.firstUnknownIds.size(); ++i) {
        text += (i == 0 ? ": " : ", ") + std::to_string(summary.firstUnknownIds[i]);
    }
    if (summary.unknownIdCount > summary.firstUnknownIds.size()) {
        text += ", …";
    }
    text += "\n";
    text += options.dryRun ? "Probelauf: es wurde nichts geschrieben.\n"
            : summary.written
                ? "Das Projekt wurde geschrieben; das vorige liegt als .bak daneben.\n"
                : "Kein Text hat sich geändert; das Projekt bleibt unverändert.\n";
    return text;
}

}  // namespace glossel::transfer
