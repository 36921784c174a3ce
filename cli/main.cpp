// glossel-cli: the engine without a window. Results go to stdout; errors to stderr as
// "number: description" with exit status 1; usage errors exit with status 2.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "platform/Error.h"

namespace {

constexpr char kUsage[] =
    "Aufruf:\n"
    "  glossel-cli languages PROJEKT       Sprachen des Projekts (Datei .tvs), eine je Zeile,\n"
    "                                      sortiert wie in der Sprachliste\n"
    "  glossel-cli dump DATEI              Benutzertabellen einer Jet-Datenbank, eine je Zeile\n"
    "  glossel-cli dump DATEI TABELLE      Tabelle als CSV (RFC 4180, UTF-8, Kopfzeile mit den\n"
    "                                      Spaltennamen; Texte in Anführungszeichen, Null leer,\n"
    "                                      Datum als JJJJ-MM-TT HH:MM:SS, Binärwerte hexadezimal)\n"
    "  glossel-cli columns DATEI TABELLE   Felder einer Tabelle: Name, Typ, Grösse und, wo "
    "gesetzt,\n"
    "                                      AllowZeroLength, Required (durch Tabulatoren getrennt)\n"
    "  glossel-cli --help                  diese Hilfe\n"
    "\n"
    "Fehler: \"Nummer: Beschreibung\" auf stderr, Rückgabewert 1; falscher Aufruf: 2.\n"
    "Umgebung: LC_ALL, LC_MESSAGES, LANG (Sprache der Namen); LC_ALL, LC_CTYPE, LANG oder\n"
    "TESSVIA_ACP (ANSI-Codepage des Rechners, z. B. TESSVIA_ACP=1251).\n";

int usageError(const std::string& message) {
    std::cerr << "glossel-cli: " << message << "\n\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (args.empty()) {
        return usageError("Befehl fehlt");
    }
    std::ios::sync_with_stdio(false);
    try {
        const std::string& command = args[0];
        if (command == "languages" && args.size() == 2) {
            glossel::cli::listLanguages(args[1], std::cout);
        } else if (command == "dump" && args.size() == 2) {
            glossel::cli::listTables(args[1], std::cout);
        } else if (command == "columns" && args.size() == 3) {
            glossel::cli::listColumns(args[1], args[2], std::cout);
        } else if (command == "dump" && args.size() == 3) {
            glossel::cli::dumpTable(args[1], args[2], std::cout);
        } else {
            return usageError("unbekannter Befehl oder falsche Zahl von Argumenten: " + command);
        }
    } catch (const glossel::Error& error) {
        std::cout.flush();
        std::cerr << error.what() << '\n';
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
