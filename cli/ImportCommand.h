// glossel-cli import: the import of translated texts on the command line.
#pragma once

#include <ostream>
#include <string>

#include "transfer/ImportLanguages.h"

namespace glossel::cli {

// Imports and prints the summary on `out`. With `changesPath`, every change is also written to
// that file as CSV (RFC 4180, UTF-8): ID, language, old text, new text. Errors pass up as
// glossel::Error.
void importLanguages(const std::string& projectPath, const std::string& exchangePath,
                     const std::vector<std::int32_t>& lcids, transfer::ImportOptions options,
                     const std::string& changesPath, std::ostream& out);

}  // namespace glossel::cli
