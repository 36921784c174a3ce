// glossel: the program with its windows. It starts with the export window, or with the import
// window when called with --import, and ends when that window is closed. --help and --version
// answer on stdout before anything of Qt starts, so that they work without a display.
#include <QApplication>

#include <cstring>
#include <iostream>
#include <memory>

#include "GlosselVersion.h"
#include "forms/ApplicationSetUp.h"
#include "forms/FGlossel.h"
#include "forms/FImport.h"
#include "forms/WindowLook.h"
#include "platform/MemoryReuse.h"

namespace {

constexpr char kHelp[] =
    "Aufruf: glossel [--import]\n"
    "Exportiert die Sprachen eines Tessvia-Projekts in eine Austauschdatei für Übersetzer\n"
    "(.xls, .xlsx oder .mdb) und übernimmt übersetzte Texte zurück ins Projekt.\n"
    "\n"
    "  glossel             öffnet das Exportfenster\n"
    "  glossel --import    öffnet das Importfenster\n"
    "  glossel --help      diese Hilfe\n"
    "  glossel --version   die Version des Programms\n"
    "\n"
    "Dasselbe ohne Fenster: glossel-cli --help.\n"
    "Umgebung: TESSVIA_REGISTRY (Registrierungsdatei, sonst /var/lib/tessvia/machine.reg),\n"
    "TESSVIA_ACP (ANSI-Codepage des Rechners, z. B. TESSVIA_ACP=1251).\n";

bool hasArgument(int argc, char* argv[], const char* argument) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], argument) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (hasArgument(argc, argv, "--help") || hasArgument(argc, argv, "-h")) {
        std::cout << kHelp;
        return 0;
    }
    if (hasArgument(argc, argv, "--version")) {
        std::cout << "glossel " << glossel::kVersion << '\n';
        return 0;
    }
    glossel::restartWithHugePageHeap(argv);
    glossel::keepFreedMemoryForReuse();
    QApplication application(argc, argv);
    glossel::forms::setUpApplication(application);

    std::unique_ptr<QWidget> window;
    if (QApplication::arguments().contains("--import")) {
        QGuiApplication::setDesktopFileName("org.glossel.glossel.import");
        window = std::make_unique<glossel::forms::FImport>();
    } else {
        QGuiApplication::setDesktopFileName("org.glossel.glossel");
        window = std::make_unique<glossel::forms::FGlossel>();
    }
    glossel::forms::centreOnScreen(*window);
    window->show();
    return QApplication::exec();
}
