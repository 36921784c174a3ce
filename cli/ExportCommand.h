// glossel-cli export: the window's export without the window.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace glossel::cli {

// A language the project does not hold: a usage error.
struct UnknownLanguage {
    std::int32_t lcid;
};

// Loads the project's languages as the window does, ticks `lcids`, and exports (into an XLIFF
// document with `sourceLcid` as its source; 0 for the other kinds). Prints
// "Sprache erfolgreich exportiert!" on `out`, or the export's message on `err`. Returns whether
// the export succeeded; throws UnknownLanguage, or glossel::Error when the languages cannot be
// loaded.
bool exportLanguages(const std::string& projectPath, const std::string& targetPath,
                     const std::vector<std::int32_t>& lcids, std::int32_t sourceLcid,
                     std::ostream& out, std::ostream& err);

}  // namespace glossel::cli
