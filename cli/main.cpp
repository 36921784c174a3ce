// glossel-cli: the engine without a window. Results go to stdout; errors to stderr as
// "number: description" with exit status 1; a usage error is one line saying what is wrong and a
// pointer to --help, exit status 2.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "GlosselVersion.h"
#include "cli/Commands.h"
#include "cli/ExportCommand.h"
#include "cli/ImportCommand.h"
#include "cli/ProjectCommands.h"
#include "cli/XlsDump.h"
#include "platform/Error.h"
#include "platform/MemoryReuse.h"

namespace {

constexpr char kUsage[] =
    "Aufruf:\n"
    "  glossel-cli languages PROJEKT       Sprachen des Projekts (Datei .tvs), eine je Zeile,\n"
    "                                      sortiert wie in der Sprachliste\n"
    "  glossel-cli export PROJEKT ZIEL --language LCID [--language LCID ...] [--source LCID]\n"
    "                                      exportiert die Sprachen in ZIEL (.xls, .xlsx oder\n"
    "                                      .mdb), aus der Vorlage neben dem Programm, oder in\n"
    "                                      eine XLIFF-Datei (.xlf) für Übersetzungsprogramme:\n"
    "                                      --source nennt deren Ausgangssprache, die übrigen\n"
    "                                      Sprachen sind die Zielsprachen\n"
    "  glossel-cli import PROJEKT DATEI --language LCID [--language LCID ...] [--dry-run]\n"
    "              [--keep-existing] [--allow-empty] [--changes ÄNDERUNGEN.csv]\n"
    "                                      übernimmt die genannten Sprachen aus DATEI (.xls,\n"
    "                                      .xlsx, .mdb oder .xlf) nach ID ins Projekt; fehlt dem\n"
    "                                      Projekt eine Sprache, wird ihre Spalte angefügt.\n"
    "                                      Ausgabe: je Sprache geänderte, unveränderte Texte\n"
    "                                      und übersprungene leere Zellen, dazu IDs, die das\n"
    "                                      Projekt nicht hat. Das vorige Projekt bleibt als\n"
    "                                      PROJEKT.bak. --dry-run: nur prüfen und zählen;\n"
    "                                      --keep-existing: nur leere Texte füllen;\n"
    "                                      --allow-empty: leere Zellen leeren den Text;\n"
    "                                      --changes: jede Änderung als CSV (ID, Sprache, alter\n"
    "                                      und neuer Text)\n"
    "  glossel-cli dump DATEI              Tabellen einer Jet-Datenbank bzw. Tabellenblätter\n"
    "                                      einer Arbeitsmappe (.xls, .xlsx), eine je Zeile\n"
    "  glossel-cli dump DATEI TABELLE      Tabelle bzw. Tabellenblatt als CSV (RFC 4180, UTF-8,\n"
    "                                      Kopfzeile mit den Spaltennamen, beim Tabellenblatt\n"
    "                                      F1 ... Fn; Texte in Anführungszeichen, Null leer,\n"
    "                                      Datum als JJJJ-MM-TT HH:MM:SS, Binärwerte hexadezimal)\n"
    "  glossel-cli columns DATEI TABELLE   Felder einer Tabelle: Name, Typ, Grösse und, wo "
    "gesetzt,\n"
    "                                      AllowZeroLength, Required (durch Tabulatoren getrennt)\n"
    "  glossel-cli projects [--prune]      registrierte Projekte wie in der Projektauswahl: Name,\n"
    "                                      Verzeichnis und Typ (durch Tabulatoren getrennt);\n"
    "                                      --prune löscht Registrierungen ohne Projektdatei\n"
    "  glossel-cli path NAME               das Verzeichnis (\"Path\") eines Projekts\n"
    "  glossel-cli --help                  diese Hilfe\n"
    "  glossel-cli --version               die Version des Programms\n"
    "\n"
    "Fehler: \"Nummer: Beschreibung\" auf stderr, Rückgabewert 1; falscher Aufruf: 2.\n"
    "Umgebung: LC_ALL, LC_MESSAGES, LANG (Sprache der Namen); LC_ALL, LC_CTYPE, LANG oder\n"
    "TESSVIA_ACP (ANSI-Codepage des Rechners, z. B. TESSVIA_ACP=1251); TESSVIA_REGISTRY\n"
    "(Registrierungsdatei, sonst /var/lib/tessvia/machine.reg).\n";

int usageError(const std::string& message) {
    std::cerr << "glossel-cli: " << message << "\nAufruf: glossel-cli --help\n";
    return 2;
}

// "export PROJECT TARGET --language LCID ... [--source LCID]": the LCIDs and the source, or
// nothing for a malformed call: one language at least, none twice, the source once.
struct ExportArguments {
    std::vector<std::int32_t> lcids;
    std::optional<std::int32_t> source;
};

std::optional<std::int32_t> parseLcid(const std::string& text);

std::optional<ExportArguments> exportArguments(const std::vector<std::string>& args) {
    ExportArguments parsed;
    for (std::size_t i = 3; i < args.size(); i += 2) {
        const bool language = args[i] == "--language";
        if ((!language && (args[i] != "--source" || parsed.source)) || i + 1 >= args.size()) {
            return std::nullopt;
        }
        const auto lcid = parseLcid(args[i + 1]);
        if (!lcid) {
            return std::nullopt;
        }
        if (!language) {
            parsed.source = lcid;
        } else if (std::find(parsed.lcids.begin(), parsed.lcids.end(), *lcid) !=
                   parsed.lcids.end()) {
            return std::nullopt;
        } else {
            parsed.lcids.push_back(*lcid);
        }
    }
    if (parsed.lcids.empty()) {
        return std::nullopt;
    }
    return parsed;
}

// What is wrong with the source for that target: an XLIFF document needs one among the
// languages and a target language beside it; the other kinds take none. Empty when all is well.
std::string sourceMisuse(const ExportArguments& parsed, const std::string& target) {
    const bool xliff = std::filesystem::path(target).extension() == ".xlf";
    if (!xliff) {
        return parsed.source ? "--source gilt nur für XLIFF-Dateien (.xlf)" : "";
    }
    if (!parsed.source) {
        return "eine XLIFF-Datei (.xlf) braucht --source LCID, die Ausgangssprache";
    }
    if (std::find(parsed.lcids.begin(), parsed.lcids.end(), *parsed.source) ==
        parsed.lcids.end()) {
        return "die Ausgangssprache " + std::to_string(*parsed.source) +
               " ist keine der Sprachen (--language)";
    }
    if (parsed.lcids.size() < 2) {
        return "eine XLIFF-Datei braucht neben der Ausgangssprache mindestens eine Zielsprache";
    }
    return "";
}

// "import PROJECT FILE --language LCID ... [options]": the arguments, or nothing for a malformed
// call: one language at least, none twice, each option once.
struct ImportArguments {
    std::vector<std::int32_t> lcids;
    glossel::transfer::ImportOptions options;
    std::string changesPath;
};

std::optional<std::int32_t> parseLcid(const std::string& text) {
    std::int32_t lcid = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), lcid);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return lcid;
}

std::optional<ImportArguments> importArguments(const std::vector<std::string>& args) {
    ImportArguments parsed;
    std::vector<std::string> seen;
    for (std::size_t i = 3; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool takesValue = option == "--language" || option == "--changes";
        if (takesValue && i + 1 >= args.size()) {
            return std::nullopt;
        }
        if (option != "--language") {
            if (std::find(seen.begin(), seen.end(), option) != seen.end()) {
                return std::nullopt;
            }
            seen.push_back(option);
        }
        if (option == "--language") {
            const auto lcid = parseLcid(args[++i]);
            if (!lcid ||
                std::find(parsed.lcids.begin(), parsed.lcids.end(), *lcid) != parsed.lcids.end()) {
                return std::nullopt;
            }
            parsed.lcids.push_back(*lcid);
        } else if (option == "--changes") {
            parsed.changesPath = args[++i];
        } else if (option == "--dry-run") {
            parsed.options.dryRun = true;
        } else if (option == "--keep-existing") {
            parsed.options.keepExisting = true;
        } else if (option == "--allow-empty") {
            parsed.options.allowEmpty = true;
        } else {
            return std::nullopt;
        }
    }
    if (args.size() < 3 || parsed.lcids.empty()) {
        return std::nullopt;
    }
    return parsed;
}

int run(const std::vector<std::string>& args) {
    using namespace glossel::cli;
    const std::string& command = args[0];
    if (command == "languages" && args.size() == 2) {
        listLanguages(args[1], std::cout);
    } else if (command == "export" && args.size() >= 3) {
        const auto parsed = exportArguments(args);
        if (!parsed) {
            return usageError(
                "export erwartet PROJEKT ZIEL und je Sprache einmal --language LCID, mindestens "
                "eine Sprache, und höchstens einmal --source LCID");
        }
        if (const std::string misuse = sourceMisuse(*parsed, args[2]); !misuse.empty()) {
            return usageError(misuse);
        }
        try {
            return glossel::cli::exportLanguages(args[1], args[2], parsed->lcids,
                                                 parsed->source.value_or(0), std::cout, std::cerr)
                       ? 0
                       : 1;
        } catch (const UnknownLanguage& unknown) {
            return usageError("das Projekt hat keine Sprache " + std::to_string(unknown.lcid));
        }
    } else if (command == "import") {
        const auto parsed = importArguments(args);
        if (!parsed) {
            return usageError(
                "import erwartet PROJEKT DATEI, je Sprache einmal --language LCID (mindestens "
                "eine) und die Optionen höchstens einmal");
        }
        glossel::cli::importLanguages(args[1], args[2], parsed->lcids, parsed->options,
                                      parsed->changesPath, std::cout);
    } else if (command == "dump" && args.size() == 2) {
        isWorkbookPath(args[1]) ? listWorksheets(args[1], std::cout) : listTables(args[1], std::cout);
    } else if (command == "dump" && args.size() == 3) {
        isWorkbookPath(args[1]) ? dumpWorksheet(args[1], args[2], std::cout)
                            : dumpTable(args[1], args[2], std::cout);
    } else if (command == "projects" && args.size() == 1) {
        listProjects(false, std::cout);
    } else if (command == "projects" && args.size() == 2 && args[1] == "--prune") {
        listProjects(true, std::cout);
    } else if (command == "path" && args.size() == 2) {
        printProjectPath(args[1], std::cout);
    } else if (command == "columns" && args.size() == 3) {
        listColumns(args[1], args[2], std::cout);
    } else {
        return usageError("unbekannter Befehl oder falsche Zahl von Argumenten: " + command);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "glossel-cli " << glossel::kVersion << '\n';
        return 0;
    }
    if (args.empty()) {
        return usageError("Befehl fehlt");
    }
    glossel::restartWithHugePageHeap(argv);
    std::ios::sync_with_stdio(false);
    glossel::keepFreedMemoryForReuse();
    int status = 0;
    try {
        status = run(args);
    } catch (const glossel::Error& error) {
        std::cout.flush();
        std::cerr << error.what() << '\n';
        return 1;
    }
    std::cout.flush();
    return std::cout ? status : 1;
}
