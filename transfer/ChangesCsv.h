// The list of an import's changes as CSV (RFC 4180, UTF-8, CR LF): ID, language column, the
// project's text, the file's text. The command line's --changes and the review's "Als CSV
// speichern…" both write it here.
#pragma once

#include <string>
#include <vector>

#include "transfer/ImportLanguages.h"

namespace glossel::transfer {

// With a header line; Null as an empty field, texts quoted.
std::string changesCsv(const std::vector<TextChange>& changes);

// Writes the list to `path` in one step (an earlier file there is replaced only when the new one
// is complete). Error 3043 naming the path when it cannot be written.
void writeChangesCsv(const std::string& path, const std::vector<TextChange>& changes);

}  // namespace glossel::transfer
