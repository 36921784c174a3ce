// Test helper program: prunes the registry that TESSVIA_REGISTRY names as the project chooser
// does (FillProjectList over a headless list), as often as its argument says (default once).
// Exit status 0, or 1 with the error on stderr.
#include <cstdlib>
#include <iostream>

#include "platform/Error.h"
#include "projects/ProjectCatalogue.h"
#include "projects/ProjectTypes.h"
#include "projects/ReportListView.h"

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1;
    try {
        for (int i = 0; i < rounds; ++i) {
            glossel::projects::ReportListView list({"Name", "Verzeichnis", "Typ"});
            glossel::projects::FillProjectList(list, glossel::projects::kAllProjectTypes);
        }
    } catch (const glossel::Error& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
